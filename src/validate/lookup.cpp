/*
 * lookup.cpp - binary search of a data file image in place.
 *
 * The search keeps a window [low, high) of whole records: low is always the
 * first byte of a record and high the end of one (just past its zero byte,
 * or the image's end). Each probe takes the first record that starts at or
 * after the middle of the window, or, when none starts there, the record
 * that holds the middle, and compares it with the key. The window then
 * shrinks to the records before or after the probed one, so every record of
 * a sorted image is found, whatever the lengths of its records; at most two
 * probes halve the window, each scanning over at most one record, and
 * nothing outside the image is ever read.
 */
#include "validate/lookup.h"

#include <string.h>

#include "platform/answers.h"
#include "platform/termrt.h"

#define MAX_KEY_WIDTH 5

/* Compares key (key_length bytes, as unsigned values) with the record at
   record, which ends at its zero byte or after room bytes: over the key's
   length only when prefix is set, else over the whole record. Only the
   bytes the comparison needs are read. */
static int compare_record(const char *key, unsigned int key_length, const char *record, unsigned int room,
                          int prefix) {
  const unsigned char *k = (const unsigned char *)key;
  const unsigned char *r = (const unsigned char *)record;
  for (unsigned int i = 0; i < key_length; ++i) {
    if (i == room || r[i] == 0) return 1; /* the record ended first: it sorts before the key */
    if (k[i] != r[i]) return k[i] < r[i] ? -1 : 1;
  }
  if (prefix || key_length == room || r[key_length] == 0) return 0;
  return -1; /* the key ended first */
}

/* The record to probe in the window [low, high): the first one that starts
   at or after the middle, else the one that holds the middle. */
static unsigned int record_near(const char *image, unsigned int low, unsigned int high) {
  unsigned int middle = low + (high - low) / 2;
  if (middle == low || image[middle - 1] == '\0') return middle;
  const char *end = (const char *)memchr(image + middle, '\0', high - middle);
  if (end != 0 && (unsigned int)(end - image) + 1 < high) return (unsigned int)(end - image) + 1;
  while (middle > low && image[middle - 1] != '\0') --middle;
  return middle;
}

const char *find_in_image(const char *image, unsigned int size, const char *key, unsigned int key_length,
                          int prefix, unsigned int *found_length) {
  if (image == 0 || key == 0) return 0;
  unsigned int low = 0, high = size;
  while (low < high) {
    unsigned int start = record_near(image, low, high);
    const char *record = image + start;
    int c = compare_record(key, key_length, record, high - start, prefix);
    if (c < 0) {
      high = start;
      continue;
    }
    const char *end = (const char *)memchr(record, '\0', high - start);
    unsigned int length = end ? (unsigned int)(end - record) : high - start;
    if (c == 0) {
      if (found_length) *found_length = length;
      return record;
    }
    low = end ? start + length + 1 : high;
  }
  return 0;
}

static int get_image(const char *file_name, const char **image, unsigned int *size) {
  *image = 0;
  *size = 0;
  if (file_name == 0 || _DataFile(file_name, image, size) != RT_OK || *image == 0) return 0;
  return 1;
}

const char *find_numbered_record(const char *file_name, int number, unsigned char key_width,
                                 unsigned int *record_length) {
  char key[MAX_KEY_WIDTH];
  if (key_width > MAX_KEY_WIDTH) key_width = MAX_KEY_WIDTH;
  if (number < 0) return 0;
  unsigned int rest = (unsigned int)number;
  for (int i = key_width - 1; i >= 0; --i) {
    key[i] = (char)('0' + rest % 10u);
    rest /= 10u;
  }
  if (rest != 0) return 0; /* more digits than the key holds */
  const char *image;
  unsigned int size;
  if (!get_image(file_name, &image, &size)) return 0;
  return find_in_image(image, size, key, key_width, 1, record_length);
}

const char *find_listed_value(const char *file_name, const char *value, unsigned char *status) {
  const char *image;
  unsigned int size;
  if (!get_image(file_name, &image, &size)) {
    if (status) *status = LOOKUP_NO_FILE;
    return 0;
  }
  if (value == 0) value = "";
  const char *record = find_in_image(image, size, value, (unsigned int)strlen(value), 0, 0);
  if (status) *status = record ? LOOKUP_FOUND : LOOKUP_NOT_FOUND;
  return record;
}

int check_listed_value(const char *file_name, char mode, const char *value) {
  unsigned char status;
  find_listed_value(file_name, value, &status);
  if (status == LOOKUP_NO_FILE) return RT_FILE_UNAVAILABLE;
  int found = status == LOOKUP_FOUND;
  int wanted = mode == '3';
  return found == wanted ? RT_VALUE_ACCEPTED : RT_VALUE_REJECTED;
}

void copy_record_from(char *dst, unsigned int size, const char *record, unsigned int record_length,
                      unsigned int offset) {
  if (size == 0) return;
  unsigned int n = 0;
  if (record != 0 && record_length > offset) n = record_length - offset;
  if (n > size - 1) n = size - 1;
  if (n > 0) memcpy(dst, record + offset, n);
  dst[n] = '\0';
}

void copy_record_text(char *dst, unsigned int size, const char *record, unsigned int record_length) {
  copy_record_from(dst, size, record, record_length, RECORD_TEXT_OFFSET);
}
