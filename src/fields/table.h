/*
 * table.h - the field table: the definitions of the fields of one panel and
 * the text each field currently holds, with the globals that the panel's
 * subsystems share.
 *
 * A field is named in commands by its number 1 to 20 and held at index 0 to
 * 19. Every member is an array of 20 entries indexed by field index. Only
 * fields whose `defined` is 1 are drawn, edited, validated and stored.
 */
#ifndef FORMS_FIELDS_TABLE_H
#define FORMS_FIELDS_TABLE_H

#define FIELD_COUNT 20
#define FIELD_VALUE_SIZE 41  /* up to 40 characters and the NUL */
#define VERIFY_FILE_MAX 8    /* characters of a validation file name */
#define VERIFY_FILE_SIZE 13  /* a name of up to 8 characters, with room to spare */
#define VERIFY_SUFFIX_SIZE 3 /* 0 to 2 characters after the "T" */
#define DATA_ID_MAX 4        /* characters of a Data ID */
#define DATA_ID_SIZE (DATA_ID_MAX + 1)
#define DECIMAL_STYLE_SIZE 2
#define HELP_FILE_NAME_SIZE 16

/* What the operator may enter in a field. */
#define INPUT_AI 0
#define INPUT_AIALPHA 1
#define INPUT_ALPHA 2
#define INPUT_NUM 3
#define INPUT_AINUM 4
#define INPUT_DATE_AMER 5
#define INPUT_DATE_EURO 6
#define INPUT_TIME_STD 7
#define INPUT_PASSWORD 8
#define INPUT_UNKNOWN 255 /* an unrecognised "INPUT=" word while SET_FIE runs */

struct FieldTable {
  unsigned char defined[FIELD_COUNT];    /* 1 once a definition completed */
  unsigned char input_kind[FIELD_COUNT]; /* INPUT_... */
  char mode[FIELD_COUNT];                /* 'F' fixed length, 'V' variable */
  int length[FIELD_COUNT];               /* 1 to 39 characters */
  unsigned char is_signed[FIELD_COUNT];  /* 1: the field takes a sign */
  int decimals[FIELD_COUNT];             /* digits after the mark; -1: no mark */
  unsigned char row[FIELD_COUNT];        /* screen row of the first character */
  unsigned char col[FIELD_COUNT];        /* screen column of the first character */
  char value[FIELD_COUNT][FIELD_VALUE_SIZE];
  unsigned char prefilled[FIELD_COUNT]; /* 1: value came from "PUV=" and is kept */
  unsigned char editable[FIELD_COUNT];  /* 1: the first key edits the text */
  unsigned char required[FIELD_COUNT];  /* 1: the panel cannot complete empty */
  int result_variable[FIELD_COUNT];     /* user variable 1 to 19 that receives it */
  char verify_file[FIELD_COUNT][VERIFY_FILE_SIZE];
  char verify_kind[FIELD_COUNT]; /* "VERT=" letter; 'N' none */
  unsigned char verify_mandatory[FIELD_COUNT];
  int verify_low[FIELD_COUNT]; /* help records for 'F', 'R', 'S' */
  int verify_high[FIELD_COUNT];
  char verify_suffix[FIELD_COUNT][VERIFY_SUFFIX_SIZE];
  char check_result[FIELD_COUNT]; /* validation letter; ' ' undecided */
  char data_id[FIELD_COUNT][DATA_ID_SIZE];
  unsigned char keep_data_id[FIELD_COUNT]; /* 1: the identifier stays in the value */
  int data_id_mandatory[FIELD_COUNT];      /* 1: data must come with the identifier */
  int help_start[FIELD_COUNT];             /* the field's help records; 0: none */
  int help_end[FIELD_COUNT];
  int screen_first[FIELD_COUNT]; /* the field's own screen ("MULT=" Y) */
  int screen_second[FIELD_COUNT];
};

extern struct FieldTable fields;

/* Index of the field being defined or edited. */
extern int current_field;
/* The decimal mark shown in numeric fields: empty, or "." once a field
   definition has read its "LEN=". */
extern char decimal_style[DECIMAL_STYLE_SIZE];
/* The help file that every help lookup reads; "HELP.VAL" at load. */
extern char help_file_name[HELP_FILE_NAME_SIZE];
/* Panel option "CON=": fields sharing a validation file are checked, and
   re-opened, together. */
extern unsigned char concatenate_values;
/* Panel option "MULT=": each field gets a screen of its own. */
extern unsigned char multi_screen;
/* Panel option "HVR=": user variable 10 to 19 that may hold a one-time help
   range; 0 for none. */
extern int help_variable;

/* 1 when the field's kind is DATE_AMER, DATE_EURO or TIME_STD. */
int is_date_or_time_kind(unsigned char kind);

#endif
