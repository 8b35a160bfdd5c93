/* A STREAM-style measurement of memory bandwidth, written to check `vext-cli bench bandwidth` from
 * outside: Copy (c = a) and Triad (a = b + q c) over arrays of doubles, OpenMP threads, each kernel
 * timed ten times, the best rate kept. Counted as STREAM counts: Copy 16 bytes per element, Triad 24.
 *   gcc -O3 -march=native -fopenmp -o /tmp/stream-reference scripts/stream-reference.c
 *   OMP_NUM_THREADS=1 OMP_PROC_BIND=spread /tmp/stream-reference [MB_PER_ARRAY] [huge]
 * MB_PER_ARRAY defaults to 128 (four times a 32 Mb last-level cache); "huge" asks for transparent huge
 * pages with madvise, as Vext does. Prints "threads Copy GB/s Triad GB/s". */
#include <omp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <time.h>

static double Now(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec * 1e-9;
}

static double* Array(size_t bytes, int huge)
{
    void* p = NULL;
    if (posix_memalign(&p, 2u << 20, bytes) != 0) return NULL;
    if (huge) madvise(p, bytes, MADV_HUGEPAGE);
    return p;
}

int main(int argc, char** argv)
{
    const size_t mb = argc > 1 ? strtoul(argv[1], NULL, 10) : 128;
    const int huge = argc > 2 && strcmp(argv[2], "huge") == 0;
    const size_t n = (mb << 20) / sizeof(double);
    double *a = Array(n * sizeof(double), huge), *b = Array(n * sizeof(double), huge), *c = Array(n * sizeof(double), huge);
    if (!a || !b || !c) return 1;
    /* Each thread first touches the part it will work on. */
#pragma omp parallel for schedule(static)
    for (size_t j = 0; j < n; ++j) a[j] = 1.0, b[j] = 2.0, c[j] = 0.0;

    const double q = 3.0;
    double bestCopy = 1e30, bestTriad = 1e30;
    for (int k = 0; k < 10; ++k) {
        double t = Now();
#pragma omp parallel for schedule(static)
        for (size_t j = 0; j < n; ++j) c[j] = a[j];
        t = Now() - t;
        if (t < bestCopy) bestCopy = t;
        t = Now();
#pragma omp parallel for schedule(static)
        for (size_t j = 0; j < n; ++j) a[j] = b[j] + q * c[j];
        t = Now() - t;
        if (t < bestTriad) bestTriad = t;
    }
    /* Check that the work was done: after the last Triad, a = 2 + 3 c and c = the a of before. */
    if (a[n / 2] != 2.0 + q * c[n / 2]) return 1;
    printf("%d %.2f %.2f\n", omp_get_max_threads(), 16.0 * n / bestCopy * 1e-9, 24.0 * n / bestTriad * 1e-9);
    return 0;
}
