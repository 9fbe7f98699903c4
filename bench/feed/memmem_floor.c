/* memmem-floor PAGE COPY MARKER
 *
 * The least work any generator of the feed does, as a process of its own:
 * read the page whole, count MARKER in it with glibc's memmem, write a copy
 * of the page. Prints the count. feed-bench runs it beside veltrane
 * generate; their ratio says how far the engine is from the floor. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static void fail(const char* what) {
    perror(what);
    exit(2);
}

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "Usage: memmem-floor PAGE COPY MARKER\n");
        return 64;
    }
    int in = open(argv[1], O_RDONLY);
    struct stat st;
    if (in < 0 || fstat(in, &st) != 0) fail(argv[1]);
    size_t size = (size_t)st.st_size;
    char* page = malloc(size ? size : 1);
    if (!page) fail("malloc");
    for (size_t got = 0; got < size;) {
        ssize_t n = read(in, page + got, size - got);
        if (n <= 0) fail(argv[1]);
        got += (size_t)n;
    }
    close(in);

    const char* marker = argv[3];
    size_t length = strlen(marker);
    long count = 0;
    for (const char* at = page; length > 0 && (at = memmem(at, size - (size_t)(at - page), marker, length));
         at += length)
        ++count;

    int out = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0) fail(argv[2]);
    for (size_t put = 0; put < size;) {
        ssize_t n = write(out, page + put, size - put);
        if (n <= 0) fail(argv[2]);
        put += (size_t)n;
    }
    if (close(out) != 0) fail(argv[2]);
    free(page);
    printf("%ld\n", count);
    return 0;
}
