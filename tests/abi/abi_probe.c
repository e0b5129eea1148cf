/* tests/abi/abi_probe.c: a caller of another language's habits. It loads the library by name,
 * resolves every name of the export list and calls a representative set of routines by the
 * exported convention: arguments by address, texts as blank-padded characters whose lengths
 * follow as hidden size_t arguments, text results filled into a leading buffer, logicals as
 * 4-byte integers with true = -1. Exit status 0 when everything holds. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <link.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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

    if (failures == 0) printf("abi probe: %d exported names resolve; calls behave\n", names);
    return failures == 0 ? 0 : 1;
}
