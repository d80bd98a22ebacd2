/* Preloaded into a program to count its frames: wraps glutSwapBuffers and, at exit, prints on
 * standard error how many frames were shown and how many per second after the first. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <time.h>

static long frames;
static struct timespec firstFrame;

void glutSwapBuffers(void)
{
    static void (*real)(void);
    if (real == NULL)
        real = (void (*)(void))dlsym(RTLD_NEXT, "glutSwapBuffers");
    if (frames++ == 0)
        clock_gettime(CLOCK_MONOTONIC, &firstFrame);
    real();
}

__attribute__((destructor)) static void report(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const double seconds = (now.tv_sec - firstFrame.tv_sec) + (now.tv_nsec - firstFrame.tv_nsec) / 1e9;
    if (frames > 1)
        fprintf(stderr, "frames: %ld in %.2f s, %.0f per second\n", frames, seconds, (frames - 1) / seconds);
}
