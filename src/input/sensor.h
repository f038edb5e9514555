/*
 * sensor.h - what a record from the badge or bar-code reader means while a
 * field is being edited.
 *
 * A record is either a sensor macro, a short text that acts as a key
 * ("$ENT$" as Enter, ...), or a value. Before the operator has typed into a
 * field, a value goes to the field whose Data ID it begins with, or whole
 * into the current field when that field takes sensor input. Once typing
 * has started, only macros act.
 */
#ifndef FORMS_INPUT_SENSOR_H
#define FORMS_INPUT_SENSOR_H

#define SENSOR_RECORD_SIZE 100

/* Offsets in a sensor record: status byte, data length (signed), data. */
#define SENSOR_STATUS 0
#define SENSOR_LENGTH 2
#define SENSOR_DATA 3
#define SENSOR_DATA_MAX (SENSOR_RECORD_SIZE - SENSOR_DATA)

/* Results of route_sensor_record besides a macro's key code. */
#define SENSOR_PLACED 1
#define SENSOR_REFUSED 3

/* The last record read from the sensor. */
extern unsigned char sensor_record[SENSOR_RECORD_SIZE];

/* 1 when the record's status says it carries no value (21 or 23). */
int sensor_record_is_empty(void);
/* Beep and LED that tell the operator a scan was taken. */
void good_read_signal(void);

/* Before the first key of a field: returns a macro's key code; SENSOR_PLACED
   when a value was placed in edit_buffer for the field now current_field;
   SENSOR_REFUSED when the record was refused after a message. */
int route_sensor_record(void);
/* While editing: the good-read signal and a macro's key code, or 0 for any
   other record (and, without signal, for a record that carries no value). */
int sensor_macro_key(void);

#endif
