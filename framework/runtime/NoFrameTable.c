/* Stands in for crtbegin.o and crtend.o in a program without exceptions.
 * Those two put the bounds of the unwind tables around the program and, at
 * start-up, look for libgcc's DLL to register them; a program that never
 * unwinds needs neither (nor the four imports the look-up costs). */
typedef int no_frame_table_unit;
