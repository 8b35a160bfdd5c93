/* The clock a core runs at, measured apart from Vext to check the running clock of `vext-cli
 * processor`: by the kernel's monotonic clock (clock_gettime) rather than the time-stamp counter, and
 * with two chains: dependent 64-bit additions (1 cycle each) and dependent 64-bit multiplications
 * (3 cycles each on AMD's Zen cores and on Intel's since Nehalem). Each chain runs for 200 ms five
 * times on the processor the program is pinned to; the best is kept. While they run, it reads the
 * kernel's "cpu MHz" of that processor from /proc/cpuinfo.
 *   gcc -O2 -o /tmp/running-clock-reference scripts/running-clock-reference.c
 *   taskset -c 1 /tmp/running-clock-reference
 * Prints the MHz of each chain and the kernel's figure. */
#define _GNU_SOURCE
#include <sched.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <time.h>

static double now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

/* 32 operations a round, each on the result of the one before. */
static uint64_t adds(uint64_t v, uint64_t rounds)
{
    __asm__ volatile("1:\n\t.rept 32\n\tadd %2, %0\n\t.endr\n\tdec %1\n\tjnz 1b" : "+r"(v), "+r"(rounds) : "r"(v | 1) : "cc");
    return v;
}

static uint64_t multiplies(uint64_t v, uint64_t rounds)
{
    __asm__ volatile("1:\n\t.rept 32\n\timul %0, %0\n\t.endr\n\tdec %1\n\tjnz 1b" : "+r"(v), "+r"(rounds) : : "cc");
    return v;
}

static double cpuinfo_mhz(int cpu)
{
    FILE* f = fopen("/proc/cpuinfo", "r");
    char line[512];
    int current = -1;
    double mhz = 0;
    while (f && fgets(line, sizeof line, f)) {
        if (!strncmp(line, "processor", 9)) sscanf(strchr(line, ':') + 1, "%d", &current);
        if (current == cpu && !strncmp(line, "cpu MHz", 7)) sscanf(strchr(line, ':') + 1, "%lf", &mhz);
    }
    if (f) fclose(f);
    return mhz;
}

/* Operations per microsecond of the best of five runs of about 200 ms, divided by the cycles each takes. */
static double clock_mhz(uint64_t (*chain)(uint64_t, uint64_t), int cycles, double* kernel_mhz)
{
    uint64_t rounds = 1, sink = 3;
    double t;
    for (;;) {
        t = now();
        sink = chain(sink, rounds);
        if (now() - t > 0.2) break;
        rounds *= 2;
    }
    double best = 0;
    for (int i = 0; i < 5; ++i) {
        t = now();
        sink = chain(sink, rounds);
        t = now() - t;
        const double mhz = rounds * 32.0 * cycles / t / 1e6;
        if (mhz > best) best = mhz;
    }
    *kernel_mhz = cpuinfo_mhz(sched_getcpu());
    return sink == 42 ? 0 : best;
}

int main(void)
{
    double kernel_mhz = 0;
    printf("additions: %.0f MHz\n", clock_mhz(adds, 1, &kernel_mhz));
    printf("multiplications: %.0f MHz\n", clock_mhz(multiplies, 3, &kernel_mhz));
    printf("kernel cpu MHz under load: %.0f\n", kernel_mhz);
    return 0;
}
