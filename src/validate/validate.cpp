/*
 * validate.cpp - the group pass and the field pass over the field table.
 *
 * The first rejection ends validation: its message is shown, current_field
 * is left on the field to correct and the result is VALIDATION_FAILED. A
 * mandatory file check that could not be made is remembered as the pending
 * failure and reported after the field pass, unless a later file check
 * clears it.
 */
#include "validate/validate.h"

#include <string.h>

#include "entry/entry.h"
#include "entry/text.h"
#include "fields/grammar.h"
#include "fields/table.h"
#include "panel/message.h"
#include "platform/answers.h"
#include "platform/termrt.h"
#include "validate/check_digits.h"
#include "validate/datetime.h"
#include "validate/lookup.h"
#include "validate/value_checks.h"

#define NO_FIELD -1

/* Removes message record 1, once: restoring a popup that is already gone
   would draw stale cells over the panel. */
static void close_checking(void) {
  if (validation.checking_shown) close_message();
  validation.checking_shown = 0;
}

static int is_file_kind(char kind) { return kind == 'I' || kind == 'i' || kind == 'E' || kind == 'e'; }

static char file_mode(char kind) { return kind == 'I' || kind == 'i' ? '3' : '2'; }

/* The validation file name of field i: the name and ".VAL", or a
   one-character name as it stands. */
#define FILE_NAME_SIZE (VERIFY_FILE_SIZE + 4)
static void validation_file_name(int i, char *name) {
  copy_text(name, FILE_NAME_SIZE, fields.verify_file[i]);
  if (strlen(name) != 1) strcat(name, ".VAL");
}

static int is_value_file(const char *name) { return strncmp(name, "B_", 2) == 0; }

/* Asks the field's file about text; a value file is searched locally and,
   when retry is set and it cannot be had, the run-time is asked instead. */
static int file_check(int i, const char *text, int retry) {
  char name[FILE_NAME_SIZE];
  validation_file_name(i, name);
  char mode[2] = {file_mode(fields.verify_kind[i]), '\0'};
  if (!is_value_file(name)) return _Validation(name, mode, text);
  int result = check_listed_value(name, mode[0], text);
  if (result == RT_FILE_UNAVAILABLE && retry) result = _Validation(name, mode, text);
  return result;
}

/* The message of a value rejected by its file: the one-time help range, or
   record 3. */
static void show_rejection(void) {
  int first, last;
  close_checking();
  if (read_help_range(&first, &last))
    show_message(first, last, MESSAGE_TIMED);
  else
    show_message(MSG_NOT_IN_FILE, MSG_NOT_IN_FILE, MESSAGE_TIMED);
}

static int fail_with(int message) {
  fields.check_result[current_field] = ' ';
  close_checking();
  show_message(message, message, MESSAGE_TIMED);
  return VALIDATION_FAILED;
}

/* A group's verdict marks exactly the members it was asked about. */
static void mark_group(const unsigned char *member, char letter, char mandatory_letter, int by_own) {
  for (int j = 0; j < FIELD_COUNT; ++j) {
    if (!member[j]) continue;
    int mandatory = by_own ? fields.verify_mandatory[j] : fields.verify_mandatory[current_field];
    fields.check_result[j] = mandatory == 1 ? mandatory_letter : letter;
  }
}

static int opens_group(int i) {
  return fields.check_result[i] == ' ' && fields.defined[i] && fields.verify_file[i][0] != '\0' &&
         strncmp(fields.verify_file[i], "S_", 2) != 0 && is_file_kind(fields.verify_kind[i]);
}

/* Collects field i and every later defined field with the same file, with
   their values joined by ";" in the group key. */
static void collect_group(int i, unsigned char *member) {
  memset(member, 0, FIELD_COUNT);
  member[i] = 1;
  fields.check_result[i] = 'A';
  char *key = validation.group_key;
  copy_text(key, GROUP_KEY_LIMIT, fields.value[i]);
  for (int j = i + 1; j < FIELD_COUNT; ++j) {
    if (!fields.defined[j] || strcmp(fields.verify_file[j], fields.verify_file[i]) != 0) continue;
    member[j] = 1;
    fields.check_result[j] = 'A';
    if (strlen(fields.value[j]) + strlen(key) + 1 >= GROUP_KEY_LIMIT) {
      close_checking();
      show_message(MSG_KEY_TOO_LONG, MSG_KEY_TOO_LONG, MESSAGE_ACKNOWLEDGED);
    } else {
      strcat(key, ";");
      strcat(key, fields.value[j]);
    }
  }
}

static int group_pass(void) {
  unsigned char member[FIELD_COUNT];
  for (current_field = 0; current_field < FIELD_COUNT; ++current_field) {
    if (!opens_group(current_field)) continue;
    collect_group(current_field, member);
    switch (file_check(current_field, validation.group_key, 1)) {
      case RT_VALUE_ACCEPTED: mark_group(member, 'P', 'P', 0); break;
      case RT_VALUE_REJECTED:
        mark_group(member, 'F', 'F', 0);
        show_rejection();
        return VALIDATION_FAILED;
      case RT_FILE_UNAVAILABLE:
        mark_group(member, 'E', 'e', 1);
        if (fields.verify_mandatory[current_field] == 1) validation.pending_failure = current_field;
        break;
      case RT_FILE_NOT_AVAILABLE:
        mark_group(member, 'T', 't', 0);
        if (fields.verify_mandatory[current_field] == 1) validation.pending_failure = current_field;
        break;
      default: break; /* no verdict: the members stay 'A' for the rest of this call */
    }
  }
  return VALIDATION_PASSED;
}

/* The file check of one field alone. Returns VALIDATION_FAILED after a
   rejection. */
static int field_file_check(int i) {
  int result = file_check(i, fields.value[i], 0);
  validation.pending_failure = NO_FIELD;
  switch (result) {
    case RT_VALUE_ACCEPTED: fields.check_result[i] = 'p'; return VALIDATION_PASSED;
    case RT_VALUE_REJECTED:
      fields.check_result[i] = ' ';
      show_rejection();
      return VALIDATION_FAILED;
    case RT_FILE_UNAVAILABLE:
    case RT_FILE_NOT_AVAILABLE:
      if (fields.verify_mandatory[i] == 1) {
        fields.check_result[i] = ' ';
        validation.pending_failure = i;
      } else {
        fields.check_result[i] = result == RT_FILE_UNAVAILABLE ? 'E' : 'T';
      }
      return VALIDATION_PASSED;
    default: return VALIDATION_PASSED;
  }
}

/* A value check's verdict (CHECK_PASSED, or 1 from a predicate; CHECK_FAILED
   or 0; CHECK_REPORTED): passed, a message, or a report already shown. */
static int value_check_verdict(int result, int message) {
  if (result == CHECK_PASSED) {
    fields.check_result[current_field] = 'p';
    return VALIDATION_PASSED;
  }
  if (result == CHECK_REPORTED) {
    fields.check_result[current_field] = ' ';
    return VALIDATION_FAILED;
  }
  return fail_with(message);
}

/* 1 when the value is empty or still the untouched template of its kind. */
static int left_empty(int i) {
  const char *value = fields.value[i];
  switch (fields.input_kind[i]) {
    case INPUT_DATE_AMER: return value[0] == '\0' || strcmp(value, DATE_AMER_TEMPLATE) == 0;
    case INPUT_DATE_EURO: return value[0] == '\0' || strcmp(value, DATE_EURO_TEMPLATE) == 0;
    default: return value[0] == '\0' || strcmp(value, TIME_TEMPLATE) == 0;
  }
}

/* The date or time check. A field that is not required and was left empty
   (or with its template untouched) has no date or time: it stays empty. */
static int date_time_check(int i) {
  if (!fields.required[i] && left_empty(i)) {
    fields.value[i][0] = '\0';
    return VALIDATION_PASSED;
  }
  int ok = fields.input_kind[i] == INPUT_TIME_STD ? check_time_field() : check_date_field();
  return value_check_verdict(ok, MSG_BAD_DATE_TIME);
}

static int undecided(int i) { return fields.check_result[i] == ' ' && fields.defined[i]; }

/* Runs the checks of field current_field in their order. */
static int check_field(void) {
  int i = current_field;
  char kind = fields.verify_kind[i];
  int result = VALIDATION_PASSED;
  if (undecided(i) && fields.verify_file[i][0] != '\0' && is_file_kind(kind))
    result = field_file_check(i);
  else if (undecided(i) && kind == 'F')
    result = value_check_verdict(mask_check(), MSG_MASK);
  else if (undecided(i) && kind == 'S')
    result = value_check_verdict(list_check(), MSG_NOT_LISTED);
  else if (undecided(i) && kind == 'R')
    result = value_check_verdict(range_check(), MSG_NOT_LISTED);
  else if (undecided(i) && kind == 'B')
    result = value_check_verdict(check_zero_number(), MSG_ZERO_NUMBER);
  else if (undecided(i) && kind == 'T')
    result = value_check_verdict(check_prefixed_number(), MSG_PREFIXED_NUMBER);
  if (result != VALIDATION_PASSED) return result;
  if (undecided(i) && is_date_or_time_kind(fields.input_kind[i])) return date_time_check(i);
  return VALIDATION_PASSED;
}

static int field_pass(void) {
  for (current_field = 0; current_field < FIELD_COUNT; ++current_field)
    if (check_field() != VALIDATION_PASSED) return VALIDATION_FAILED;
  return VALIDATION_PASSED;
}

/* A group that was rejected, could not be checked or got no verdict is asked
   again: a complete key pressed twice must not store what the file refused. */
static void reopen_groups(void) {
  for (int i = 0; i < FIELD_COUNT; ++i) {
    char letter = fields.check_result[i];
    if (fields.defined[i] && (letter == 'F' || letter == 'e' || letter == 't' || letter == 'A'))
      fields.check_result[i] = ' ';
  }
}

int validate_fields(void) {
  validation.pending_failure = NO_FIELD;
  reopen_groups();
  show_message(MSG_CHECKING, MSG_CHECKING, MESSAGE_STANDING);
  validation.checking_shown = 1;
  if (concatenate_values == 1 && group_pass() == VALIDATION_FAILED) return VALIDATION_FAILED;
  if (field_pass() == VALIDATION_FAILED) return VALIDATION_FAILED;
  close_checking();
  if (validation.pending_failure != NO_FIELD) {
    show_message(MSG_FILE_UNAVAILABLE, MSG_FILE_UNAVAILABLE, MESSAGE_TIMED);
    current_field = validation.pending_failure;
    return VALIDATION_FAILED;
  }
  return VALIDATION_PASSED;
}
