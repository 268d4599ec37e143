// Linked into programs of the AddressSanitizer build only: options read
// before ASAN_OPTIONS (which can still set them otherwise).
//
// intercept_tls_get_addr=0: the runtime of the compiler we build with guesses
// where a dynamic TLS block begins from a header the C library no longer
// writes; when a block lands 16 bytes into a page it reads the allocator's
// own chunk header as that block's bounds, and the leak check at exit scans
// from near address 0 and dies ("Tracer caught signal 11"), for programs that
// ran the software GL driver. Without the guess no block is added as a root;
// fewer roots can only report more leaks, never hide one.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
