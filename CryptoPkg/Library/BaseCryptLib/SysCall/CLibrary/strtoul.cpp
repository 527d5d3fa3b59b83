// strtoul, reached only by the crypto library's text parsing, which a verification never
// calls. It converts nothing: the end pointer stays at the start, which callers take as
// "no number here".
extern "C" unsigned long strtoul(const char *string, char **end, int base) {
  (void)base;
  if (end != nullptr) {
    *end = const_cast<char *>(string);
  }
  return 0;
}
