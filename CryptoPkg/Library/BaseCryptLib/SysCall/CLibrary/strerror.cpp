// The module has no error texts for system error numbers.
extern "C" char *strerror(int error) {
  (void)error;
  static char NoText[] = "";
  return NoText;
}
