/*
 * lookup.h - finding records in the data file images of the run-time.
 *
 * An image is a block of text records, each ended by a zero byte, in
 * ascending order of their bytes. Help file records begin with a four-digit
 * record number, a separator and the text, which starts at offset 5 (the
 * sixth character). Value files ("B_" names) hold one permitted or forbidden
 * value per record. Images are searched where the run-time keeps them,
 * without copying and without an index.
 */
#ifndef FORMS_VALIDATE_LOOKUP_H
#define FORMS_VALIDATE_LOOKUP_H

/* A help record: its number in RECORD_KEY_WIDTH digits, one separator, and
   its text; numbers run from 1 to RECORD_NUMBER_MAX. */
#define RECORD_KEY_WIDTH 4
#define RECORD_SEPARATOR_WIDTH 1
#define RECORD_TEXT_OFFSET (RECORD_KEY_WIDTH + RECORD_SEPARATOR_WIDTH)
#define RECORD_NUMBER_MAX 9999
/* Statuses of find_listed_value. */
#define LOOKUP_FOUND 0
#define LOOKUP_NOT_FOUND 1
#define LOOKUP_NO_FILE 4

/* Searches an image of size bytes in place for the record that equals key
   (key_length bytes), or, when prefix is set, whose first key_length bytes
   equal it. Returns the record and, when found_length is not 0, its length;
   0 when there is none. Reads nothing outside the image, whatever it holds. */
const char *find_in_image(const char *image, unsigned int size, const char *key, unsigned int key_length,
                          int prefix, unsigned int *found_length);

/* The record of file_name whose first key_width characters are number in
   decimal with leading zeros (7 with width 4: "0007"), or 0. A width above 5
   counts as 5. When found and record_length is not 0, it receives the
   record's length: the bytes before its zero byte, or before the image's
   end for a last record without one. */
const char *find_numbered_record(const char *file_name, int number, unsigned char key_width,
                                 unsigned int *record_length);

/* The record of file_name equal to value over its whole length, or 0, with
 *status LOOKUP_FOUND, LOOKUP_NOT_FOUND or LOOKUP_NO_FILE. */
const char *find_listed_value(const char *file_name, const char *value, unsigned char *status);

/* The file check over a value file, answering as _Validation does:
   RT_FILE_UNAVAILABLE when the image cannot be had; with mode '3' (the value
   must be present) RT_VALUE_ACCEPTED when found and RT_VALUE_REJECTED when
   not; with any other mode the other way round. */
int check_listed_value(const char *file_name, char mode, const char *value);

/* Copies the text of a found help record (from its sixth character) into
   dst of size bytes, cut to fit; an empty text when the record is shorter. */
void copy_record_text(char *dst, unsigned int size, const char *record, unsigned int record_length);

/* The same from the record's byte at offset on. */
void copy_record_from(char *dst, unsigned int size, const char *record, unsigned int record_length,
                      unsigned int offset);

#endif
