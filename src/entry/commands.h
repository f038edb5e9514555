/*
 * commands.h - the commands that the dispatcher runs by name.
 *
 * Each takes the whole command string, length digits included, reads
 * argument_length for its length and returns what main returns.
 */
#ifndef FORMS_ENTRY_COMMANDS_H
#define FORMS_ENTRY_COMMANDS_H

int dicount_command(const char *parm);       /* DICOUNT: the 32 counters */
int popup_command(const char *parm);         /* POPUPWN: open or close the popup */
int compare_command(const char *parm);       /* COMPARE: text comparison */
int compare_int_command(const char *parm);   /* CMP_INT: integer comparison */
int int_math_command(const char *parm);      /* INTMATH: integer arithmetic */
int check_unique_command(const char *parm);  /* CHKUNIQ: recent-values check */
int time_date_command(const char *parm);     /* TM_DATE: clock into variables */
int transaction_command(const char *parm);   /* TRANMSG: transaction flag */
int delay_command(const char *parm);         /* V_DELAY: pause */
int clear_panel_command(const char *parm);   /* CLEAR_P: empty the field table */
int set_field_command(const char *parm);     /* SET_FIE: define one field */
int exec_panel_command(const char *parm);    /* EXEC_PA: run the panel */
int set_help_command(const char *parm);      /* SET_HEL: name the help file */
int wait_variable_command(const char *parm); /* WAIT_UV: wait for a variable */

/* Function code 5: the display and keyboard test; returns 0. */
int display_test(void);

#endif
