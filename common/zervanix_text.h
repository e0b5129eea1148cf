/* zervanix_text.h: the text routines that libzervanix.so exports (string cleaning and comparison,
 * line tests, keyword and value extraction, number-to-text, paths), for C callers.
 *
 * Conventions of every routine here:
 * - Every argument is passed by address, scalars included.
 * - A text is blank-padded characters without a terminating NUL; its length follows, as a size_t
 *   by value, after all the explicit arguments, in the order of the texts.
 * - A routine whose result is a text fills a buffer given as its first two arguments (the
 *   characters and their length): cut at that length, blank-padded behind a shorter value.
 * - A logical result is an int32_t: true is -1 (all bits set), false is 0.
 * - Routines taking a non-const text may change it in place, keeping its length.
 * What each routine answers is said beside its library form in common/ (strings.hpp,
 * line_values.hpp, number_text.hpp, paths.hpp, text_lines.hpp, exit.hpp).
 */
#ifndef ZERVANIX_TEXT_H
#define ZERVANIX_TEXT_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Comparison, case and cleaning. */
int32_t ASAME(const char *a, const char *b, size_t aLength, size_t bLength);
int32_t ASAMECS(const char *a, const char *b, size_t aLength, size_t bLength);
void UPPERCASE(char *result, size_t resultLength, const char *chars, size_t length);
void LOWERCASE(char *result, size_t resultLength, const char *chars, size_t length);
void REMOVEQUOTES(char *result, size_t resultLength, const char *chars, size_t length);
void REMOVESPACES(char *result, size_t resultLength, const char *chars, size_t length);
void CLEANATTRIBUTENAME(char *result, size_t resultLength, const char *chars, size_t length);
void DOUBLEQUOTE(char *result, size_t resultLength, const char *chars, size_t length);
void ALPHANUMERICONLY(char *result, size_t resultLength, const char *chars, const char *replacement, size_t length,
                      size_t replacementLength);
void REPLACE(char *result, size_t resultLength, const char *chars, const char *search, const char *replacement,
             size_t length, size_t searchLength, size_t replacementLength);
void REPLACEALL(char *result, size_t resultLength, const char *chars, const char *search, const char *replacement,
                size_t length, size_t searchLength, size_t replacementLength);
int32_t CSVCOLUMN(const char *header, const char *name, const int32_t *defaultValue, size_t headerLength,
                  size_t nameLength);

/* Line reading, keyword tests and value extraction. */
int32_t READLINE(const int32_t *unit, char *line, size_t lineLength);
int32_t FLAGEXISTS(const char *line, const char *flag, size_t lineLength, size_t flagLength);
int32_t FLAGEXISTSRET(const char *line, const char *flag, char *rest, size_t lineLength, size_t flagLength,
                      size_t restLength);
int32_t READGIS(const char *line, const char *name, size_t lineLength, size_t nameLength);
int32_t WRITEGIS(const char *line, const char *name, size_t lineLength, size_t nameLength);
int32_t READROWCOL(const char *line, const char *name, size_t lineLength, size_t nameLength);
int32_t CHECKLINE(const char *line, const char *keyword, const char *separator, const int32_t *column, char *value,
                  char *command, size_t lineLength, size_t keywordLength, size_t separatorLength,
                  size_t valueLength, size_t commandLength);
int32_t CSVVALUE(const char *line, const int32_t *field, float *value, size_t lineLength);
int32_t EXTRACTINTEGER(const char *line, const char *lowerLine, const char *keyword, const int32_t *field,
                       const int32_t *defaultValue, size_t lineLength, size_t lowerLength, size_t keywordLength);
float EXTRACTREAL(const char *line, const char *lowerLine, const char *keyword, const int32_t *field,
                  const float *defaultValue, size_t lineLength, size_t lowerLength, size_t keywordLength);
void EXTRACTSTRING(char *result, size_t resultLength, const char *line, const char *lowerLine, const char *keyword,
                   const int32_t *field, size_t lineLength, size_t lowerLength, size_t keywordLength);
void EXTRACTSTRINGREM(char *result, size_t resultLength, const char *line, const char *lowerLine,
                      const char *keyword, const int32_t *field, size_t lineLength, size_t lowerLength,
                      size_t keywordLength);
int32_t NUMBEROFSUBSTRINGS(char *chars, const char *delimiter, size_t length, size_t delimiterLength);
void SUBSTRING(char *result, size_t resultLength, const char *chars, const char *delimiter, const int32_t *field,
               size_t length, size_t delimiterLength);
int32_t NUMBEROFNUMBERS(const char *line, size_t lineLength);
int32_t NUMBEROFDAYS(const char *date, size_t dateLength);
int32_t CHECKINT(const char *chars, int32_t *value, size_t length);
int32_t CHECKINT4(const char *chars, int32_t *value, size_t length);
int32_t CHECKINT8(const char *chars, int64_t *value, size_t length);

/* Numbers as text. */
void AINTEGER(char *result, size_t resultLength, const int32_t *value);
void AINTEGER8(char *result, size_t resultLength, const int64_t *value);
void AINTEGERPREC0(char *result, size_t resultLength, const int32_t *value, const int32_t *digits);
void AINTEGER8PREC0(char *result, size_t resultLength, const int64_t *value, const int32_t *digits);
void AREAL(char *result, size_t resultLength, const float *value);
void AREAL8(char *result, size_t resultLength, const double *value);
void AREALD(char *result, size_t resultLength, const float *value, const int32_t *decimals);
void AREALD8(char *result, size_t resultLength, const double *value, const int32_t *decimals);

/* File names and paths. */
void FILEEXT(char *result, size_t resultLength, const char *path, size_t pathLength);
void FILEEXTKC(char *result, size_t resultLength, const char *path, size_t pathLength);
void FILE___EXT(char *result, size_t resultLength, const char *path, size_t pathLength);
void FILENAME(char *result, size_t resultLength, const char *path, size_t pathLength);
void FILENAMEEXT(char *result, size_t resultLength, const char *path, size_t pathLength);
void FILENAMENO_(char *result, size_t resultLength, const char *path, size_t pathLength);
void FILENAMEPATH(char *result, size_t resultLength, const char *path, size_t pathLength);
void FILENAMEPATHNO_(char *result, size_t resultLength, const char *path, size_t pathLength);
void FILEFOLDERPATH(char *result, size_t resultLength, const char *path, size_t pathLength);
void REMOVEDOTDOT(char *result, size_t resultLength, const char *path, size_t pathLength);
void ADDFOLDER(char *result, size_t resultLength, const char *folder, const char *name, size_t folderLength,
               size_t nameLength);
void CLEANPATH(char *result, size_t resultLength, char *path, size_t pathLength);
int32_t DRIVEFOLDER(char *path, size_t pathLength);

/* Line tests and cleaners. */
int32_t COMMENTLINE(char *line, size_t lineLength);
int32_t NUMBERLINE(char *line, size_t lineLength);
int32_t POSITIVEINTEGERNUMBER(char *text, size_t textLength);
int32_t BLANK(char *text, size_t textLength);
void REMOVETABS(char *result, size_t resultLength, const char *chars, size_t length);
void TRIMF(char *result, size_t resultLength, const char *chars, size_t length);
void SS256(char *result, size_t resultLength, const char *chars, size_t length);
int32_t LENSL(char *text, size_t length);

#ifdef __cplusplus
}
#endif

#endif
