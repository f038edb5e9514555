/* endless.c - a stand-in library whose main never returns, for the test of
   the replayer's time limit. */
#if defined(_WIN32)
#define ENDLESS_EXPORT __declspec(dllexport)
#else
#define ENDLESS_EXPORT __attribute__((visibility("default")))
#endif

ENDLESS_EXPORT int main(int code, const char *parm) {
  volatile int spin = 1;
  (void)code;
  (void)parm;
  while (spin) {
  }
  return 0;
}
