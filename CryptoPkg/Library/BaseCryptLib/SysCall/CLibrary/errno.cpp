// The crypto library's errno; nothing in the module sets it.
extern "C" {
int errno = 0;
}
