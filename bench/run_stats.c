// Runs programs many times, taking turns, each with its standard input from a file and its
// output to /dev/null, and prints for each the medians (and quartiles) of what the kernel
// accounts for its runs: CPU time (user + system, from wait4), wall time from spawn to reap,
// and peak resident size.
//
//   run_stats RUNS NAME=PROGRAM:INPUT...
#define _GNU_SOURCE
#include <fcntl.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

extern char** environ;

static int compare(const void* a, const void* b) {
    double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

static double quantile(double* v, int n, double q) {
    qsort(v, (size_t)n, sizeof *v, compare);
    return v[(int)(q * (n - 1) + 0.5)];
}

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

// One run: CPU and wall time in ms, peak resident size in KiB.
static void run(const char* program, const char* input, double* cpu, double* wall, double* rss) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input, O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    char* argv[] = {(char*)program, NULL};
    double start = now();
    pid_t pid;
    if (posix_spawn(&pid, program, &actions, NULL, argv, environ) != 0) {
        perror(program);
        exit(1);
    }
    int status;
    struct rusage usage;
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        fprintf(stderr, "%s failed\n", program);
        exit(1);
    }
    *wall = (now() - start) * 1e3;
    *cpu = (double)(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (double)(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-3;
    *rss = (double)usage.ru_maxrss;
    posix_spawn_file_actions_destroy(&actions);
}

int main(int argc, char** argv) {
    if (argc < 3 || argc > 66) {
        fprintf(stderr, "usage: run_stats RUNS NAME=PROGRAM:INPUT...\n");
        return 2;
    }
    int runs = atoi(argv[1]);
    int count = argc - 2;
    double* cpu = calloc((size_t)(count * runs), sizeof(double));
    double* wall = calloc((size_t)(count * runs), sizeof(double));
    double* rss = calloc((size_t)(count * runs), sizeof(double));
    const char *names[64], *programs[64], *inputs[64];
    for (int p = 0; p < count; ++p) {
        char* name = argv[2 + p];
        char* program = strchr(name, '=');
        char* input = program ? strchr(program, ':') : NULL;
        if (!input) {
            fprintf(stderr, "not NAME=PROGRAM:INPUT: %s\n", name);
            return 2;
        }
        *program++ = '\0';
        *input++ = '\0';
        names[p] = name, programs[p] = program, inputs[p] = input;
    }
    double ignored;
    for (int p = 0; p < count; ++p) // warm the caches
        for (int r = 0; r < 10; ++r) run(programs[p], inputs[p], &ignored, &ignored, &ignored);
    for (int r = 0; r < runs; ++r)
        for (int p = 0; p < count; ++p)
            run(programs[p], inputs[p], &cpu[p * runs + r], &wall[p * runs + r],
                &rss[p * runs + r]);
    for (int p = 0; p < count; ++p) {
        double* c = &cpu[p * runs];
        printf("%s %.3f %.3f %.3f %.3f %.0f\n", names[p], quantile(c, runs, 0.5),
               quantile(c, runs, 0.25), quantile(c, runs, 0.75),
               quantile(&wall[p * runs], runs, 0.5), quantile(&rss[p * runs], runs, 0.5));
    }
    return 0;
}
