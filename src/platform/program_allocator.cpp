// The settings the program's allocator, jemalloc, reads as it starts: linked into every
// executable that allocates through it (`veldra_use_program_allocator`).

extern "C" {

// Address space no longer used goes back to the system ("retain:false"), not kept for the
// allocator's next extents. Under an address-space limit what it kept would count against
// the limit, yet no thread's stack and no window's shared image could be mapped in it: a
// large program let go would leave the desktop no room to start a thread. It goes back when
// its decay time has passed, or at once when the program hands it back (`HandBackFreeMemory`).
extern const char* const malloc_conf;
const char* const malloc_conf = "retain:false";

}  // extern "C"
