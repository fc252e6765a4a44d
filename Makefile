# Builds: win32 (the shipped 32-bit programs), win64 (the same sources and
# their tests, run under wine), host (the portable core, natively, with
# sanitizers) and tools (mkinstaller as authors run it, optimised).
SHELL := /bin/bash
BUILD := build
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
WINEPREFIX ?= $(CURDIR)/$(BUILD)/wineprefix
export WINEPREFIX
# The Debian 13 root whose wine 10 runs the shipped 32-bit programs; made
# once per machine, outside the work tree.
WOW64_ROOT ?= /var/lib/installer-tests/wow64-root
export WOW64_ROOT

PACKAGES := build-essential cmake g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools \
  libz-mingw-w64-dev zlib1g-dev wine wine64 xvfb xauth imagemagick zip unzip \
  libarchive-tools p7zip-full dpkg-dev clang libclang-rt-14-dev googletest python3 file fonts-dejavu-core xdotool git \
  nsis osslsigncode openjdk-17-jdk-headless fonts-urw-base35 clang-format python3-yaml python3-jsonschema groff-base locales

# Where make install puts mkinstaller (DESTDIR: a staging root for packages).
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all deps wow64-root build build-host build-tools build-win32 build-win64 build-win64size build-fuzz test test-host \
  test-win64 test-shipped fuzz wineprefix release-check demo install format clean

all: build

# Installs every package a fresh Debian 12 machine needs and generates the
# locales the tests run wine under; does nothing when they are all there.
# Recommended packages come along (wine draws its fonts and windows with
# them), but never wine32: these machines cannot run 32-bit code, and where
# i386 is enabled the trailing '-' keeps it out.
deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "installing:" $$missing; \
	  SUDO=$$( [ $$(id -u) -eq 0 ] || echo sudo ); \
	  $$SUDO apt-get update -qq && \
	  keep_out=; dpkg --print-foreign-architectures | grep -qx i386 && keep_out=wine32:i386-; \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing $$keep_out; \
	else echo "all packages present"; fi
	@SUDO=$$( [ $$(id -u) -eq 0 ] || echo sudo ); $$SUDO tests/make-locales.sh
	$(MAKE) --no-print-directory wow64-root

# Made again only when it is missing or broken.
wow64-root:
	tests/wow64/make-root.sh $(WOW64_ROOT)

build: build-host build-tools build-win32 build-win64

$(BUILD)/host/Makefile:
	cmake -S . -B $(BUILD)/host -DCMAKE_BUILD_TYPE=Debug
$(BUILD)/tools/Makefile:
	cmake -S . -B $(BUILD)/tools -DCMAKE_BUILD_TYPE=Release -DINSTALLER_TOOLS_RELEASE=ON
$(BUILD)/win32/Makefile:
	cmake -S . -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=MinSizeRel
$(BUILD)/win64/Makefile:
	cmake -S . -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Debug \
	  -DINSTALLER_WOW64_ROOT=$(WOW64_ROOT)
$(BUILD)/win64size/Makefile:
	cmake -S . -B $(BUILD)/win64size -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64-size.cmake -DCMAKE_BUILD_TYPE=MinSizeRel
$(BUILD)/fuzz/Makefile:
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DINSTALLER_FUZZ=ON

build-host: $(BUILD)/host/Makefile
	$(MAKE) -C $(BUILD)/host -j$(JOBS)
build-tools: $(BUILD)/tools/Makefile
	$(MAKE) -C $(BUILD)/tools -j$(JOBS) mkinstaller
build-win32: $(BUILD)/win32/Makefile
	$(MAKE) -C $(BUILD)/win32 -j$(JOBS)
build-win64: $(BUILD)/win64/Makefile
	$(MAKE) -C $(BUILD)/win64 -j$(JOBS)
# The benchmarks' yardstick where 32-bit code cannot run: the shipped
# programs' sources and size options for x86_64.
build-win64size: $(BUILD)/win64size/Makefile
	$(MAKE) -C $(BUILD)/win64size -j$(JOBS)
build-fuzz: $(BUILD)/fuzz/Makefile
	$(MAKE) -C $(BUILD)/fuzz -j$(JOBS)

# The wine prefix of the Windows tests, made once before tests run side by side.
wineprefix:
	tests/make-wineprefix.sh $(WINEPREFIX)

test-host: build-host
	cd $(BUILD)/host && ctest --output-on-failure -j$(JOBS)

# The win64 build's tests under the host's wine64.
test-win64: build-win64 wineprefix
	tests/with-display.sh bash -c 'cd $(BUILD)/win64 && ctest --output-on-failure -LE shipped'

# The end-to-end suites with the shipped 32-bit programs, in the WoW64 root;
# skipped, and said so, on a machine that cannot execute 32-bit code.
test-shipped: build
	tests/with-display.sh tests/wow64/run-shipped-suites.sh $(BUILD)

test: build test-host test-win64 test-shipped release-check fuzz

# The main job: pack the sample, install it under wine, remove it again.
demo: build-tools build-win32 build-win64
	examples/demo.sh $(BUILD)

# The shipped programs: system DLLs only, no marker text, size budgets.
release-check: build-win32
	tests/release/check-binaries.sh $(BUILD)/win32/bin

fuzz: build-fuzz
	FUZZ_SECONDS=$(FUZZ_SECONDS) tests/fuzz/run-all.sh $(BUILD)/fuzz

# The release mkinstaller, its man page, and beside them the shipped
# programs it packs, which it finds relative to itself (../share/mkinstaller/).
install: build-tools build-win32
	install -d $(DESTDIR)$(PREFIX)/bin $(DESTDIR)$(PREFIX)/share/man/man1 $(DESTDIR)$(PREFIX)/share/mkinstaller
	install -m 755 $(BUILD)/tools/bin/mkinstaller $(DESTDIR)$(PREFIX)/bin/mkinstaller
	install -m 644 tools/mkinstaller/mkinstaller.1 $(DESTDIR)$(PREFIX)/share/man/man1/mkinstaller.1
	install -m 755 $(BUILD)/win32/bin/setup.exe $(BUILD)/win32/bin/uninstall.exe $(DESTDIR)$(PREFIX)/share/mkinstaller/

# The house style (.clang-format) over the C and C++ sources git tracks.
format:
	git ls-files '*.c' '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
