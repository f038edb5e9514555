/*
 * value_checks.h - the checks of a field's value against help file records:
 * a mask (verify kind "F"), a list (kind "S") and a range (kind "R").
 */
#ifndef FORMS_VALIDATE_VALUE_CHECKS_H
#define FORMS_VALIDATE_VALUE_CHECKS_H

#include "entry/args.h"

/* Results of a value check: passed and failed read as true and false, as
   the answers of the check-digit checks do. */
#define CHECK_FAILED 0
#define CHECK_PASSED 1
#define CHECK_REPORTED ARG_REPORTED /* a record was missing; the error report was shown */

/* Each works on current_field. */
int mask_check(void);
int list_check(void);
int range_check(void);

#endif
