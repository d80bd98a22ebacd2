/* Preloaded into a program to make one allocation fail: the FAIL_MALLOC_NTH-th (default 1st)
 * malloc of exactly FAIL_MALLOC_SIZE bytes returns NULL. */
#define _GNU_SOURCE
#include <stdlib.h>

extern void* __libc_malloc(size_t size);

void* malloc(size_t size)
{
    static long seen;
    const char* failSize = getenv("FAIL_MALLOC_SIZE");
    const char* nth = getenv("FAIL_MALLOC_NTH");
    if (failSize != NULL && size == strtoul(failSize, NULL, 10) && ++seen == (nth ? strtol(nth, NULL, 10) : 1))
        return NULL;
    return __libc_malloc(size);
}
