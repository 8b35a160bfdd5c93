/* A pointer chase written apart from Vext to check `vext-cli bench latency`: for each block, one
 * pointer per 64-byte line, the lines in a random order made by shuffling them (Fisher-Yates) and
 * linking each to the next, the last to the first, so one cycle passes every line. After one pass,
 * chases for 200 ms five times and keeps the best time per load.
 *   gcc -O2 -o /tmp/latency-reference scripts/latency-reference.c
 *   /tmp/latency-reference [small] [KB ...]
 * Blocks default to 4 Kb doubling to 128 Mb; they get transparent huge pages by madvise (as Vext
 * asks) unless "small" comes first. Prints "Kb ns-per-load" per block. */
#include <stdint.h>
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

static uint64_t state = 88172645463325252ull;
static uint64_t Random(void) /* xorshift64 */
{
    state ^= state << 13, state ^= state >> 7, state ^= state << 17;
    return state;
}

static double Chase(size_t bytes, int huge)
{
    const size_t lines = bytes / 64;
    char* block = mmap(NULL, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    size_t* order = malloc(lines * sizeof *order);
    if (block == MAP_FAILED || !order) exit(1);
    if (huge) madvise(block, bytes, MADV_HUGEPAGE);
    for (size_t i = 0; i < lines; ++i) order[i] = i;
    for (size_t i = lines - 1; i > 0; --i) {
        size_t j = Random() % (i + 1), t = order[i];
        order[i] = order[j], order[j] = t;
    }
    for (size_t i = 0; i < lines; ++i) *(void**)(block + order[i] * 64) = block + order[(i + 1) % lines] * 64;
    free(order);

    void** p = (void**)block;
    for (size_t i = 0; i < lines; ++i) p = *p;
    size_t loads = 1024;
    for (;;) { /* grow the count until one run lasts 200 ms */
        double t = Now();
        for (size_t i = 0; i < loads; i += 8) p = *p, p = *p, p = *p, p = *p, p = *p, p = *p, p = *p, p = *p;
        if (Now() - t >= 0.2) break;
        loads *= 2;
    }
    double best = 1e30;
    for (int k = 0; k < 5; ++k) {
        double t = Now();
        for (size_t i = 0; i < loads; i += 8) p = *p, p = *p, p = *p, p = *p, p = *p, p = *p, p = *p, p = *p;
        t = (Now() - t) / (double)loads;
        if (t < best) best = t;
    }
    if (p == NULL) puts(""); /* keeps the chase */
    munmap(block, bytes);
    return best * 1e9;
}

int main(int argc, char** argv)
{
    int huge = 1, first = 1;
    if (argc > 1 && strcmp(argv[1], "small") == 0) huge = 0, first = 2;
    if (argc > first)
        for (int i = first; i < argc; ++i) printf("%lu %.2f\n", strtoul(argv[i], NULL, 10), Chase(strtoul(argv[i], NULL, 10) << 10, huge));
    else
        for (size_t kb = 4; kb <= (128u << 10); kb *= 2) printf("%zu %.2f\n", kb, Chase(kb << 10, huge)), fflush(stdout);
    return 0;
}
