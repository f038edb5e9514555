// result_codes.cpp - the table of result codes and their meanings: every
// code that the driver's error report can show, grouped by the command that
// raises it. A code's family is its first letter.
#include "driver/result_codes.h"

#include "fields/grammar.h"
#include "screen/popup.h"

// " NUM AINUM ...": the input kind words, in the order SET_FIE tries them.
#define INPUT_WORD_IN_LIST(kind, word, template_text, stored) " " word
#define INPUT_WORDS INPUT_KINDS(INPUT_WORD_IN_LIST)

namespace formsterm {

const std::vector<ResultCode> &result_codes() {
  static const std::vector<ResultCode> table = {
      // command dispatch
      {"M1", "main (any command)", "no command name matched",
       "spell the seven-character command name at positions 2 to 8, after the two length digits"},
      // DICOUNT
      {"D1", "DICOUNT", "command too short", "give at least 21 characters after the length digits"},
      {"D2", "DICOUNT", "counter number not 1 to 32", "write a counter number 1 to 32"},
      {"D3", "DICOUNT", "store form (S) too short", "with operation S, give at least 32 characters"},
      {"D4", "DICOUNT", "target user variable not 1 to " GRAMMAR_TEXT(RESULT_VARIABLE_MAX),
       "with operation S, name a user variable 1 to " GRAMMAR_TEXT(RESULT_VARIABLE_MAX)},
      {"D5", "DICOUNT", "operation letter not D, I, R or S", "write D, I, R or S as the operation"},
      // POPUPWN
      {"P2", "POPUPWN", "open form (C) too short", "with operation C, give at least 23 characters"},
      {"P3", "POPUPWN", "line count not 1 to " GRAMMAR_TEXT(POPUP_MAX_LINES),
       "with operation C, ask for 1 to " GRAMMAR_TEXT(POPUP_MAX_LINES) " lines"},
      {"P4", "POPUPWN", "restore form (R) too short", "with operation R, give at least 9 characters"},
      // COMPARE, CMP_INT, INTMATH
      {"C1", "COMPARE, CMP_INT, INTMATH", "command too short",
       "give at least 36 (COMPARE), 28 (CMP_INT) or 21 (INTMATH) characters"},
      {"C2", "COMPARE, CMP_INT, INTMATH", "first user variable not readable",
       "name a defined user variable (a number for CMP_INT and INTMATH)"},
      {"C3", "COMPARE, CMP_INT, INTMATH", "second user variable not readable",
       "name a defined user variable (a number for CMP_INT and INTMATH)"},
      {"C4", "COMPARE, CMP_INT", "result style letter wrong",
       "write N or S (COMPARE), A, N or S (CMP_INT) as the result style"},
      {"C5", "COMPARE, CMP_INT, INTMATH", "relation or operator wrong",
       "write E, N, GE, GT, LE or LT as the relation, or + - * / as the operator"},
      {"C6", "INTMATH", "division by zero", "make sure the second variable is not 0 before dividing"},
      // TRANMSG
      {"F1", "TRANMSG", "command too short", "give at least 10 characters after the length digits"},
      // TM_DATE
      {"E1", "TM_DATE", "command too short", "give at least 52 characters after the length digits"},
      {"E2", "TM_DATE", "time variable not 1 to " GRAMMAR_TEXT(RESULT_VARIABLE_MAX),
       "name a user variable 1 to " GRAMMAR_TEXT(RESULT_VARIABLE_MAX) " for the time"},
      {"E3", "TM_DATE", "date variable not 1 to " GRAMMAR_TEXT(RESULT_VARIABLE_MAX),
       "name a user variable 1 to " GRAMMAR_TEXT(RESULT_VARIABLE_MAX) " for the date"},
      {"E4", "TM_DATE", "hour form not 12 or 24", "write 12 or 24 as the hour form"},
      {"E5", "TM_DATE", "date style neither AMER nor EURO", "write AMER or EURO as the date style"},
      // V_DELAY
      {"V3", "V_DELAY", "command too long", "give at most 13 characters after the length digits"},
      // CHKUNIQ
      {"U2", "CHKUNIQ", "check form (V) too short", "with operation V, give at least 24 characters"},
      {"U3", "CHKUNIQ", "user variable not readable", "name a defined user variable to check"},
      {"U4", "CHKUNIQ", "list number not 1 or 2", "use list 1 or 2"},
      {"U5", "CHKUNIQ", "reset form (R) too short", "with operation R, give at least 22 characters"},
      // WAIT_UV
      {"W2", "WAIT_UV", "command too short", "give at least 22 characters after the length digits"},
      {"W3", "WAIT_UV", "watched user variable not readable", "name a defined user variable to watch"},
      // SET_HEL
      {"Zl", "SET_HEL", "FILE= missing", "write FILE= (in capitals) and the help file's name"},
      {"Zk", "SET_HEL", "no file name after FILE=", "write the help file's name after FILE="},
      // SET_FIE: the source of the definition
      {"Z1", "SET_FIE", "neither VAR= nor HELP= in the command",
       "name the definition's source: VAR= a user variable or HELP= a help record"},
      {"Z2", "SET_FIE", "VAR= or HELP= number missing or wrong",
       "give a readable user variable after VAR=, or a record number 1 to " GRAMMAR_TEXT(
           RECORD_NUMBER_MAX) " after HELP="},
      {"Zj", "SET_FIE", "help record of HELP= not found (or no help file at all)",
       "add the record to the help file, or correct the number after HELP=; check that the help file "
       "(HELP.VAL, or the one SET_HEL names) is there"},
      {"Z3", "SET_FIE", "FI= missing", "write FI= and the field number 1 to " GRAMMAR_TEXT(FIELD_COUNT)},
      {"Z4", "SET_FIE",
       "no number after FI=", "write the field number 1 to " GRAMMAR_TEXT(FIELD_COUNT) " after FI="},
      {"Z5", "SET_FIE", "FI= not 1 to " GRAMMAR_TEXT(FIELD_COUNT),
       "number the field 1 to " GRAMMAR_TEXT(FIELD_COUNT)},
      // SET_FIE: the keywords of a field definition
      {"Z6", "SET_FIE", "INPUT= missing or not in capitals", "write INPUT= (in capitals) and the input kind"},
      {"Z7", "SET_FIE", "no word after INPUT=", "write one of" INPUT_WORDS " after INPUT="},
      {"Z8", "SET_FIE", "INPUT= word not known", "write one of" INPUT_WORDS},
      {"Z9", "SET_FIE", "LEN= missing",
       "write LEN= and the length 1 to " GRAMMAR_TEXT(
           FIELD_LENGTH_MAX) " (e.g. LEN=-7.2 for a sign and decimals)"},
      {"ZA", "SET_FIE",
       "no value after LEN=", "write the length 1 to " GRAMMAR_TEXT(FIELD_LENGTH_MAX) " after LEN="},
      {"ZB", "SET_FIE", "LEN= not 1 to " GRAMMAR_TEXT(FIELD_LENGTH_MAX),
       "give a length 1 to " GRAMMAR_TEXT(FIELD_LENGTH_MAX) " (a sign and decimals do not count)"},
      {"ZC", "SET_FIE", "ROW= missing", "write ROW= and the row 1 to " GRAMMAR_TEXT(DISPLAY_ROWS)},
      {"ZD", "SET_FIE",
       "no value after ROW=", "write the row 1 to " GRAMMAR_TEXT(DISPLAY_ROWS) " after ROW="},
      {"ZE", "SET_FIE", "ROW= not 1 to " GRAMMAR_TEXT(DISPLAY_ROWS),
       "give a row 1 to " GRAMMAR_TEXT(DISPLAY_ROWS) " (rows count from 1)"},
      {"ZF", "SET_FIE", "COL= missing", "write COL= and the column 1 to " GRAMMAR_TEXT(FIELD_COLUMN_MAX)},
      {"ZG", "SET_FIE",
       "no value after COL=", "write the column 1 to " GRAMMAR_TEXT(FIELD_COLUMN_MAX) " after COL="},
      {"ZH", "SET_FIE", "COL= not 1 to " GRAMMAR_TEXT(FIELD_COLUMN_MAX),
       "give a column 1 to " GRAMMAR_TEXT(FIELD_COLUMN_MAX) " (columns count from 1)"},
      {"ZI", "SET_FIE", "no letter after VERT=", "write the check's letter after VERT="},
      {"ZJ", "SET_FIE", "VERT=T prefix longer than 2",
       "write T and at most two prefix characters, e.g. VERT=T4"},
      {"ZK", "SET_FIE", "VERT=F, R or S without a record number",
       "write the record number after the letter, e.g. VERT=F,30"},
      {"ZL", "SET_FIE", "VERT= first record not 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX),
       "give a record number 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX)},
      {"ZM", "SET_FIE", "VERT=R or S without a second record number",
       "write both record numbers, e.g. VERT=R,30,31"},
      {"ZN", "SET_FIE", "VERT= second record not 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX),
       "give a record number 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX)},
      {"ZO", "SET_FIE", "VERT= letter not known", "write one of 0 B e i E I F R S T as the VERT= letter"},
      {"ZP", "SET_FIE", "no letter after MODE=", "write F or V after MODE="},
      {"ZQ", "SET_FIE", "MODE= not F or V", "write F or V in capitals"},
      {"ZR", "SET_FIE", "no letter after REQ=", "write Y or N after REQ="},
      {"ZS", "SET_FIE", "REQ= not Y or N", "write Y or N in capitals"},
      {"ZT", "SET_FIE", "no letter after KEEPDI=", "write Y or N after KEEPDI="},
      {"ZU", "SET_FIE", "KEEPDI= not Y or N", "write Y or N in capitals"},
      {"ZV", "SET_FIE", "no letter after EDIT=", "write Y or N after EDIT="},
      {"ZW", "SET_FIE", "EDIT= not Y or N", "write Y or N in capitals"},
      {"ZX", "SET_FIE", "no number after RUV=",
       "write the user variable 1 to " GRAMMAR_TEXT(RESULT_VARIABLE_MAX) " after RUV="},
      {"ZY", "SET_FIE", "RUV= not 1 to " GRAMMAR_TEXT(RESULT_VARIABLE_MAX),
       "name a user variable 1 to " GRAMMAR_TEXT(RESULT_VARIABLE_MAX)},
      {"ZZ", "SET_FIE", "no number after PUV=", "write the user variable after PUV="},
      {"Za", "SET_FIE", "PUV= variable not readable", "name a defined user variable after PUV="},
      {"Zb", "SET_FIE", "no name after VERF=", "write the validation file's name after VERF="},
      {"Zc", "SET_FIE", "VERF= name longer than " GRAMMAR_TEXT(VERIFY_FILE_MAX),
       "shorten the validation file's name to " GRAMMAR_TEXT(VERIFY_FILE_MAX) " characters"},
      {"Zd", "SET_FIE", "no first record after HELP=", "write two record numbers, e.g. HELP=100,105"},
      {"Ze", "SET_FIE", "HELP= first record not 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX),
       "give a record number 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX)},
      {"Zf", "SET_FIE", "no second record after HELP=", "write two record numbers, e.g. HELP=100,105"},
      {"Zg", "SET_FIE", "HELP= second record not 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX),
       "give a record number 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX)},
      {"Zh", "SET_FIE", "no identifier after DI=",
       "write the Data ID, 1 to " GRAMMAR_TEXT(DATA_ID_MAX) " characters, after DI="},
      {"Zi", "SET_FIE", "DI= longer than " GRAMMAR_TEXT(DATA_ID_MAX),
       "shorten the Data ID to " GRAMMAR_TEXT(DATA_ID_MAX) " characters"},
      {"Zm", "SET_FIE", "no first record after SCRN=", "write two record numbers, e.g. SCRN=600,619"},
      {"Zn", "SET_FIE", "SCRN= first record not 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX),
       "give a record number 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX)},
      {"Zo", "SET_FIE", "no second record after SCRN=", "write two record numbers, e.g. SCRN=600,619"},
      {"Zp", "SET_FIE", "SCRN= second record not 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX),
       "give a record number 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX)},
      {"Zq", "SET_FIE", "no letter after MANDI=", "write Y or N after MANDI="},
      {"Zr", "SET_FIE", "MANDI= not Y or N", "write Y or N in capitals"},
      // EXEC_PA
      {"X1", "EXEC_PA", "neither VAR= nor HELP= in the command",
       "name the options' source: VAR= a user variable or HELP= a help record"},
      {"X2", "EXEC_PA", "VAR= or HELP= number missing or wrong",
       "give a readable user variable after VAR=, or a record number 1 to " GRAMMAR_TEXT(
           RECORD_NUMBER_MAX) " after HELP="},
      {"XN", "EXEC_PA", "help record of HELP= not found (or no help file at all)",
       "add the record to the help file, or correct the number after HELP=; check that the help file "
       "(HELP.VAL, or the one SET_HEL names) is there"},
      {"X3", "EXEC_PA", "no letter after TOE=", "write A, N, S or T after TOE="},
      {"X4", "EXEC_PA", "TOE= not A, N, S or T", "write A, N, S or T in capitals"},
      {"X5", "EXEC_PA", "no letter after ERET=", "write A, N or S after ERET="},
      {"X6", "EXEC_PA", "ERET= not A, N or S", "write A, N or S in capitals"},
      {"X7", "EXEC_PA", "no letter after CON=", "write Y or N after CON="},
      {"X8", "EXEC_PA", "CON= not Y or N", "write Y or N in capitals"},
      {"X9", "EXEC_PA", "no letter after L=", "write Y or N after L="},
      {"XA", "EXEC_PA", "L= not Y or N", "write Y or N in capitals"},
      {"XB", "EXEC_PA", "no letter after CNP=", "write Y or N after CNP="},
      {"XC", "EXEC_PA", "CNP= not Y or N", "write Y or N in capitals"},
      {"XD", "EXEC_PA", "no number after T=", "write the time-out in seconds after T= (0 for none)"},
      {"XF", "EXEC_PA", "no number after SF=", "write the starting field's number after SF="},
      {"XG", "EXEC_PA", "SF= not 1 to " GRAMMAR_TEXT(FIELD_COUNT) " or field not defined",
       "name a defined field 1 to " GRAMMAR_TEXT(FIELD_COUNT)},
      {"XH", "EXEC_PA", "no field is defined", "define the panel's fields with SET_FIE before EXEC_PA"},
      {"XI", "EXEC_PA", "value does not fit its user variable",
       "make the field's RUV= variable large enough"},
      {"XJ", "EXEC_PA", "writing a field's user variable failed",
       "name a user variable that can be written in RUV="},
      {"XO", "EXEC_PA", "no number after HVR=",
       "write the help variable " GRAMMAR_TEXT(HELP_VARIABLE_FIRST) " to " GRAMMAR_TEXT(
           RESULT_VARIABLE_MAX) " after HVR="},
      {"XP", "EXEC_PA",
       "HVR= not " GRAMMAR_TEXT(HELP_VARIABLE_FIRST) " to " GRAMMAR_TEXT(RESULT_VARIABLE_MAX),
       "name a user variable " GRAMMAR_TEXT(HELP_VARIABLE_FIRST) " to " GRAMMAR_TEXT(RESULT_VARIABLE_MAX)},
      {"XV", "EXEC_PA", "no letter after MULT=", "write Y or N after MULT="},
      {"XW", "EXEC_PA", "MULT= not Y or N", "write Y or N in capitals"},
      {"XX", "EXEC_PA", "no number after REASON=",
       "write the reason variable 0 to " GRAMMAR_TEXT(RESULT_VARIABLE_MAX) " after REASON="},
      {"XY", "EXEC_PA", "REASON= above " GRAMMAR_TEXT(RESULT_VARIABLE_MAX),
       "name a user variable 1 to " GRAMMAR_TEXT(RESULT_VARIABLE_MAX) " (0 for none)"},
      // field validation and the one-time help range
      {"XU", "EXEC_PA (validation)", "mask record of VERT=F missing",
       "add the mask record, or correct VERT=F,n"},
      {"XL", "EXEC_PA (validation)", "lower bound record of VERT=R missing",
       "add the lower bound record, or correct VERT=R,low,high"},
      {"XM", "EXEC_PA (validation)", "upper bound record of VERT=R missing",
       "add the upper bound record, or correct VERT=R,low,high"},
      {"XQ", "EXEC_PA (help range)", "nothing after HELP= in the help variable",
       "write HELP=first,last into the HVR= variable"},
      {"XR", "EXEC_PA (help range)", "help range's first record not 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX),
       "give a record number 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX) " in the HVR= variable"},
      {"XS", "EXEC_PA (help range)", "help range's second record missing",
       "write both numbers, HELP=first,last, into the HVR= variable"},
      {"XT", "EXEC_PA (help range)", "help range's second record not 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX),
       "give a record number 1 to " GRAMMAR_TEXT(RECORD_NUMBER_MAX) " in the HVR= variable"},
      // message prompt and check digits
      {"Y2", "EXEC_PA (message prompt)", "help file has no record 16",
       "add record 16, the closing line of messages that wait for Enter"},
      {"Y3", "EXEC_PA (check digit)", "value longer than 14 characters for a check digit",
       "make the field at most 14 characters long (LEN=)"},
  };
  return table;
}

const ResultCode *find_result_code(std::string_view code) {
  for (const ResultCode &entry : result_codes())
    if (entry.code == code) return &entry;
  return nullptr;
}

}  // namespace formsterm
