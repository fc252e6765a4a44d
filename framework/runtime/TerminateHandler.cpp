// What std::terminate calls by default: libstdc++ names
// __gnu_cxx::__verbose_terminate_handler as its default handler, and its own
// version prints the uncaught exception's type, which brings the demangler
// along (setup.exe would be 75 KB larger). This one ends the program
// without a word.
//
// It is linked as an object, not from an archive: nothing refers to the
// name before libstdc++'s eh_term_handler.o does, and by then an archive
// holding it would already have been passed.
#include <stdlib.h>

namespace __gnu_cxx {
void __verbose_terminate_handler() { abort(); }
}  // namespace __gnu_cxx
