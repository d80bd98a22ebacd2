/* Preloaded into a program to make one allocation fail: the FAIL_MALLOC_NTH-th (default 1st)
 * malloc of exactly FAIL_MALLOC_SIZE bytes returns NULL. */
#define _GNU_SOURCE
#include <stdlib.h>

extern void* __libc_malloc(size_t size);

static size_t failSize;
static long failAt = 1;
static long seen;

__attribute__((constructor)) static void readSettings(void)
{
    const char* size = getenv("FAIL_MALLOC_SIZE");
    const char* nth = getenv("FAIL_MALLOC_NTH");
    if (nth != NULL)
        failAt = strtol(nth, NULL, 10);
    if (size != NULL)
        failSize = strtoul(size, NULL, 10);
}

void* malloc(size_t size)
{
    if (failSize != 0 && size == failSize && ++seen == failAt)
        return NULL;
    return __libc_malloc(size);
}
