/*
 * value_checks.h - the checks of a field's value against help file records:
 * a mask (verify kind "F"), a list (kind "S") and a range (kind "R").
 */
#ifndef FORMS_VALIDATE_VALUE_CHECKS_H
#define FORMS_VALIDATE_VALUE_CHECKS_H

/* Results of a value check. */
#define CHECK_PASSED 0
#define CHECK_FAILED 1
#define CHECK_REPORTED 2 /* a record was missing; the error report was shown */

/* Each works on current_field. */
int mask_check(void);
int list_check(void);
int range_check(void);

#endif
