/*
 * validate.h - deciding whether the values of a panel may be stored.
 *
 * Validation walks the field table twice: a group pass, which sends the
 * values of all fields sharing one validation file to that file as one text
 * (only with concatenate_values), and a field pass, which applies to each
 * field the check its verify kind names and, for date and time fields, the
 * date or time check. check_result keeps one letter per field:
 *   ' ' undecided, 'A' in a group under way, 'P'/'F' passed/rejected as a
 *   group, 'E'/'e' and 'T'/'t' file not available (result 4 or 16; lower
 *   case where the check was mandatory), 'p' passed alone.
 */
#ifndef FORMS_VALIDATE_VALIDATE_H
#define FORMS_VALIDATE_VALIDATE_H

/* Results of validate_fields: every field passed / a rejection was shown
   and current_field is on the field to correct. */
#define VALIDATION_PASSED 1
#define VALIDATION_FAILED 0

#define GROUP_KEY_LIMIT 116 /* a group key stays below this many characters */

/* The state of one validation. */
struct Validation {
  /* The values of a group joined by ";", in a text of its own: a message
     shown while the key is built may write its report into command_buffer. */
  char group_key[GROUP_KEY_LIMIT];
  /* The mandatory field whose file check could not be made, or -1. */
  int pending_failure;
  /* 1 while message record 1 stands on the screen. */
  int checking_shown;
};

extern struct Validation validation;

int validate_fields(void);

#endif
