/* Time in the freestanding crypto build: the clock always reads zero. A time value is a
 * long, 32 bits on this target. */
#ifndef OPENSSL_FREESTANDING_TIME_H
#define OPENSSL_FREESTANDING_TIME_H
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef long time_t;
typedef long clock_t;
struct tm {
  int tm_sec;
  int tm_min;
  int tm_hour;
  int tm_mday;
  int tm_mon;
  int tm_year;
  int tm_wday;
  int tm_yday;
  int tm_isdst;
};
struct timeval {
  long tv_sec;
  long tv_usec;
};
#define CLOCKS_PER_SEC 1000

time_t time(time_t *timer);
struct tm *gmtime(const time_t *timer);
struct tm *gmtime_r(const time_t *timer, struct tm *result);
struct tm *localtime(const time_t *timer);
clock_t clock(void);
int gettimeofday(struct timeval *tv, void *tz);

#ifdef __cplusplus
}
#endif
#endif
