/* The cache measurements done again outside Vext, to check its figures: the same three access methods
 * over the same nine blocks, with the same repetitions and credited bytes, timed with clock_gettime.
 *   cc -O2 -o /tmp/cache-bandwidth scripts/cache-bandwidth.c && /tmp/cache-bandwidth
 * Prints one "method bytes Mb/sec" line per measurement, in Vext's result order. x86-64 only. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double Now(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec * 1e-9;
}

static void Movsd(uint8_t* block, uint64_t dwords)
{
    uint8_t* s = block;
    uint8_t* d = block;
    asm volatile("rep movsl" : "+D"(d), "+S"(s), "+c"(dwords) : : "memory");
}

static void Mov(uint8_t* p, uint32_t n)
{
    uint32_t v;
    asm volatile("1:\n\tmovl (%[p]), %[v]\n\tmovl %[v], (%[p])\n\tadd $4, %[p]\n\tdec %[n]\n\tjnz 1b"
                 : [p] "+S"(p), [n] "+c"(n), [v] "=&a"(v) : : "memory", "cc");
}

static void Stepping(uint8_t* p, uint32_t n, uint64_t step)
{
    uint8_t v;
    asm volatile("1:\n\tmovb (%[p]), %[v]\n\tmovb %[v], (%[p])\n\tadd %[step], %[p]\n\tdec %[n]\n\tjnz 1b"
                 : [p] "+S"(p), [n] "+c"(n), [v] "=&a"(v) : [step] "r"(step) : "memory", "cc");
}

int main(void)
{
    const char* names[3] = {"MOVSD", "MOV", "Stepping-MOV"};
    for (int method = 0; method < 3; ++method) {
        for (int k = 0; k < 9; ++k) {
            const uint32_t bytes = 2048u << k;
            uint8_t* block = malloc(bytes);
            if (!block) return 1;
            /* MOVSD 4000 repetitions, MOV 2000, Stepping MOV (stride 4) 8000; credited bytes x 4000 or x 2000 */
            const uint32_t reps = method == 0 ? 4000 : method == 1 ? 2000 : 8000;
            const double credited = (double)bytes * (method == 0 ? 4000 : 2000);
            const double t0 = Now();
            for (uint32_t r = reps; r != 0; --r) {
                if (method == 0) Movsd(block, bytes / 4);
                else if (method == 1) Mov(block, bytes / 4);
                else Stepping(block, bytes / 4, 4);
            }
            const double seconds = Now() - t0;
            printf("%-12s %7u %10.2f\n", names[method], bytes, credited / 1048576.0 / seconds);
            free(block);
        }
    }
    return 0;
}
