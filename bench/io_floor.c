/* The I/O floor of a safe converter, for side_by_side.sh: for each input file, read it whole,
 * write 1078 + N bytes (the header, colour table and N pixel bytes of an 8-bit BMP) to a
 * temporary name in the output folder, and rename that into place.
 * Usage: io_floor N OUTPUT-FOLDER FILE... */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static const char *base_name(const char *path)
{
    const char *slash = strrchr(path, '/');
    return slash ? slash + 1 : path;
}

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: %s N OUTPUT-FOLDER FILE...\n", argv[0]);
        return 2;
    }
    const size_t out_size = 1078 + (size_t)strtoul(argv[1], NULL, 10);
    char *out = calloc(out_size, 1);
    char *in = NULL;
    size_t in_capacity = 0;
    char temporary[4200], final_name[4096];
    for (int i = 3; i < argc; ++i) {
        int fd = open(argv[i], O_RDONLY);
        struct stat info;
        if (fd < 0 || fstat(fd, &info) != 0) {
            perror(argv[i]);
            return 1;
        }
        if ((size_t)info.st_size > in_capacity) {
            in_capacity = (size_t)info.st_size;
            in = realloc(in, in_capacity);
        }
        if (read(fd, in, (size_t)info.st_size) != info.st_size) {
            perror(argv[i]);
            return 1;
        }
        close(fd);
        out[0] = in[0]; /* the output depends on the input, if only a little */
        snprintf(final_name, sizeof final_name, "%s/%s", argv[2], base_name(argv[i]));
        snprintf(temporary, sizeof temporary, "%s.tmp", final_name);
        fd = open(temporary, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || write(fd, out, out_size) != (ssize_t)out_size || close(fd) != 0
            || rename(temporary, final_name) != 0) {
            perror(temporary);
            return 1;
        }
    }
    free(in);
    free(out);
    return 0;
}
