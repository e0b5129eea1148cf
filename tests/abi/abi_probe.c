/* tests/abi/abi_probe.c: a caller of another language's habits. It loads the library by name,
 * resolves every name of the export list and calls a representative set of routines by the
 * exported convention: arguments by address, texts as blank-padded characters whose lengths
 * follow as hidden size_t arguments, text results filled into a leading buffer, logicals as
 * 4-byte integers with true = -1. The geometry routines are called through the prototypes of
 * the header installed beside the library. Exit status 0 when everything holds. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <link.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "zervanix_geometry.h"

#pragma pack(push, 1)
struct MessageBlock {
    double X, Y;
    int32_t oneLine, logUnit, xyMifUnit, xyMidUnit, checkMifUnit, checkMidUnit;
    char line1[10000], line2[10000], line3[10000], line4[10000];
    char prefix[4];
    double labelWidth, labelHeight;
    int32_t nError, nWarning, nCheck, nErrorXY, nWarningXY, nCheckXY, number, kind;
    char attr1[10000], attr2[10000], attr3[10000];
    int32_t msgMidUnit;
};
#pragma pack(pop)

static int failures = 0;
static void *library = NULL;

static void check(int condition, const char *what) {
    if (!condition) {
        fprintf(stderr, "FAILED: %s\n", what);
        ++failures;
    }
}

static void *symbol(const char *name) {
    void *address = dlsym(library, name);
    if (address == NULL) {
        fprintf(stderr, "FAILED: %s does not resolve\n", name);
        ++failures;
    }
    return address;
}

static void padded(char *buffer, size_t length, const char *text) {
    size_t n = strlen(text);
    if (n > length) n = length;
    memcpy(buffer, text, n);
    memset(buffer + n, ' ', length - n);
}

static int sameText(const char *buffer, size_t length, const char *expected) {
    size_t n = strlen(expected);
    if (n > length || memcmp(buffer, expected, n) != 0) return 0;
    for (size_t i = n; i < length; ++i) {
        if (buffer[i] != ' ') return 0;
    }
    return 1;
}

typedef void (*TextResult1)(char *, size_t, const char *, size_t);
typedef void (*TextResult2)(char *, size_t, const char *, const char *, size_t, size_t);
typedef int32_t (*Logical2)(const char *, const char *, size_t, size_t);
typedef void (*IntegerText)(char *, size_t, const int32_t *);
typedef int32_t (*TextLength)(char *, size_t);
typedef void (*Issue)(const int32_t *);

#define RESOLVE(name) __typeof__(name) *name##_ = (__typeof__(name) *)symbol(#name)

static void probeGeometry(void) {
    const float zero = 0, one = 1, two = 2, three = 3, four = 4, half = 0.5f, tenth = 0.1f;
    RESOLVE(DISTANCE);
    if (DISTANCE_ != NULL) check(DISTANCE_(&zero, &zero, &three, &four) == 5.0f, "DISTANCE of (0,0) and (3,4) is 5");

    RESOLVE(INTERSECT_LINE);
    if (INTERSECT_LINE_ != NULL) {
        check(INTERSECT_LINE_(&zero, &zero, &two, &zero, &one, &one, &one, &tenth) == 0, "INTERSECT_LINE: apart");
        check(INTERSECT_LINE_(&zero, &zero, &one, &zero, &two, &zero, &three, &zero) == -1,
              "INTERSECT_LINE: collinear segments answer true (-1)");
    }

    RESOLVE(INSIDE_POLYGON_8);
    if (INSIDE_POLYGON_8_ != NULL) {
        const double x[] = {0, 4, 4, 0, 0, 0, 1, 3, 3, 1, 1, 1}, y[] = {0, 0, 4, 4, 0, 0, 1, 1, 3, 3, 1, 1};
        const int32_t n = 12, ends[] = {5, 11}, rings = 2;
        const double xref = -1, inHole = 2, inRing = 3.5;
        check(INSIDE_POLYGON_8_(&inRing, &inHole, x, y, &n, &xref, ends, &rings) == -1,
              "INSIDE_POLYGON_8: in the ring");
        check(INSIDE_POLYGON_8_(&inHole, &inHole, x, y, &n, &xref, ends, &rings) == 0, "INSIDE_POLYGON_8: in the hole");
    }

    RESOLVE(INTERPOLATE_ELEMENT_8);
    if (INTERPOLATE_ELEMENT_8_ != NULL) {
        const double x[] = {0, 2, 2, 0}, y[] = {0, 0, 2, 2}, px = 0.5, py = 0.3, xref = -1;
        const float z[] = {0, 2, 4, 2};
        const int32_t corners = 4;
        float zp = 0;
        check(INTERPOLATE_ELEMENT_8_(&px, &py, x, y, z, &corners, &xref, &zp) == -1 && zp > 0.79f && zp < 0.81f,
              "INTERPOLATE_ELEMENT_8 reproduces a linear field");
    }

    RESOLVE(SET_SUB_GRID_AREA);
    if (SET_SUB_GRID_AREA_ != NULL) {
        const float x[] = {-25, 5}, y[] = {1, 2}, size = 10;
        const int32_t n = 2, cells = 5;
        int32_t jmin, imin, jmax, imax;
        float xmin, ymin, xmax, ymax;
        SET_SUB_GRID_AREA_(x, y, &n, &size, &cells, &cells, &jmin, &imin, &jmax, &imax, &xmin, &ymin, &xmax, &ymax);
        check(imin == 0 && imax == 1 && jmin == 1 && xmin == -25.0f, "SET_SUB_GRID_AREA gives the cells covered");
    }

    RESOLVE(INTERPOLATE_TRIANGLE_NO_CHECKS);
    if (INTERPOLATE_TRIANGLE_NO_CHECKS_ != NULL) {
        const float xt[] = {0, 2, 0}, yt[] = {0, 0, 2}, zt[] = {0, 2, 4};
        float z = 0;
        INTERPOLATE_TRIANGLE_NO_CHECKS_(&half, &half, xt, yt, zt, &z);
        check(z == 1.5f, "INTERPOLATE_TRIANGLE_NO_CHECKS at (0.5, 0.5) is 1.5");
    }
}

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: abi_probe library export-list\n");
        return 2;
    }
    library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == NULL) {
        fprintf(stderr, "FAILED: dlopen: %s\n", dlerror());
        return 1;
    }

    FILE *list = fopen(argv[2], "r");
    if (list == NULL) {
        fprintf(stderr, "FAILED: cannot read %s\n", argv[2]);
        return 1;
    }
    char name[256];
    int names = 0;
    while (fscanf(list, "%255s", name) == 1) {
        symbol(name);
        ++names;
    }
    fclose(list);
    check(names > 0, "the export list names routines");

    /* The message block: its size is the sum of its fields, and DMESSAGE classifies and counts. */
    struct MessageBlock *block = (struct MessageBlock *)symbol("DMESSAGES");
    if (block != NULL) {
        Dl_info info;
        const ElfW(Sym) *entry = NULL;
        if (dladdr1(block, &info, (void **)&entry, RTLD_DL_SYMENT) != 0 && entry != NULL) {
            check(entry->st_size == sizeof(struct MessageBlock), "DMESSAGES has the size of its packed fields");
        }
        check(block->X == -99999.0 && block->line1[0] == ' ', "DMESSAGES starts cleared");
        Issue issue = (Issue)symbol("DMESSAGE");
        if (issue != NULL) {
            const int32_t silent = -2;
            const int32_t errorsBefore = block->nError;
            padded(block->line1, sizeof block->line1, "ERROR 0203 - probe");
            issue(&silent);
            check(block->nError == errorsBefore + 1, "DMESSAGE counts an ERROR");
            check(block->number == 203 && block->kind == 1, "DMESSAGE reads kind and number");
            check(block->line1[0] == ' ' && block->X == -99999.0, "DMESSAGE clears the pending message");
        }
    }

    Logical2 same = (Logical2)symbol("ASAME");
    if (same != NULL) {
        check(same("Conduits", "\t \"CONDUITS\"", 8, 12) == -1, "ASAME ignores case, quotes, TABs, leading blanks");
        check(same("A B", "AB  ", 3, 4) == 0, "ASAME keeps inner blanks");
    }

    TextResult1 upper = (TextResult1)symbol("UPPERCASE");
    if (upper != NULL) {
        char result[6];
        upper(result, sizeof result, "abc", 3);
        check(sameText(result, sizeof result, "ABC"), "UPPERCASE fills its result blank-padded");
        upper(result, 2, "abc", 3);
        check(memcmp(result, "AB", 2) == 0 && result[2] == 'C', "UPPERCASE stops at the declared length");
    }

    IntegerText integer = (IntegerText)symbol("AINTEGER");
    if (integer != NULL) {
        char result[20];
        const int32_t value = -15;
        integer(result, sizeof result, &value);
        check(sameText(result, sizeof result, "-15"), "AINTEGER writes the integer left-aligned");
    }

    TextResult1 extension = (TextResult1)symbol("FILEEXT");
    if (extension != NULL) {
        char result[16];
        extension(result, sizeof result, "model.INP   ", 12);
        check(sameText(result, sizeof result, ".inp"), "FILEEXT gives the lower-case extension");
    }

    TextResult2 addFolder = (TextResult2)symbol("ADDFOLDER");
    if (addFolder != NULL) {
        char result[40];
        addFolder(result, sizeof result, "C:\\data  ", "..\\x.prj", 9, 8);
        check(sameText(result, sizeof result, "C:\\x.prj"), "ADDFOLDER joins and normalises");
    }

    TextLength lensl = (TextLength)symbol("LENSL");
    if (lensl != NULL) {
        char text[10];
        padded(text, sizeof text, "abc");
        check(lensl(text, sizeof text) == 3 && text[3] == '\0', "LENSL terminates after the significant text");
    }

    probeGeometry();

    if (failures == 0) printf("abi probe: %d exported names resolve; calls behave\n", names);
    return failures == 0 ? 0 : 1;
}
