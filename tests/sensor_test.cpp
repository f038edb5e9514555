// Scans while a field is edited: sensor macros, routing of values by Data
// ID, the fit rule, refused scans and the good-read signal.
#include "input/sensor.h"

#include <cstring>

#include "fields/table.h"
#include "input/editor.h"
#include "platform/keys.h"
#include "support/field_setup.h"
#include "support/terminal_test.h"

namespace {

class SensorTest : public TerminalTest {
 protected:
  void SetUp() override {
    TerminalTest::SetUp();
    t.add_file("HELP.VAL", kHelpFile);
  }
  void data_id(int f, const char *id, int keep = 0, int mandatory = 0) {
    std::strcpy(fields.data_id[f], id);
    fields.keep_data_id[f] = static_cast<unsigned char>(keep);
    fields.data_id_mandatory[f] = mandatory;
  }
  // Edits field 0 with `scan` waiting after entry; a refused scan is
  // followed by Enter once its message is gone.
  int edit_with_scan(const std::string &scan) {
    current_field = 0;
    int call = ++calls_;
    t.at(0.5, [this, scan] { t.scan(scan); });
    t.at(3, [this, call] {
      if (call == calls_) t.key(KEY_ENTER);
    });
    int result = edit_field("", 0);
    ++calls_;
    return result;
  }
  int calls_ = 0;
  // Notes the text in the message popup shortly after the scan.
  std::string shown_message;
  void watch_message() {
    t.at(0.6, [this] { shown_message = cells(2, 3, 17); });
  }
};

TEST_F(SensorTest, DataIdIsRemovedFromTheValueUnlessItIsKept) {
  put_field(0, INPUT_ALPHA, 10, 8, 4);
  data_id(0, "P");
  EXPECT_EQ(edit_with_scan("P12345"), EDIT_SCANNED);
  EXPECT_STREQ(edit_buffer, "12345");
  EXPECT_EQ(cells(8, 4, 10), "12345_____");
  EXPECT_EQ(t.count_log("beep 0,2,3"), 1);
  EXPECT_EQ(t.count_log("led 0,60"), 1);
  data_id(0, "P", 1);
  EXPECT_EQ(edit_with_scan("P12345"), EDIT_SCANNED);
  EXPECT_STREQ(edit_buffer, "P12345");
  EXPECT_EQ(t.count_log("flagged"), 0) << "routed values are written unflagged";
}

TEST_F(SensorTest, FixedLengthFieldTakesOnlyAValueOfItsLength) {
  put_field(0, INPUT_AIALPHA, 8);
  fields.mode[0] = 'F';
  data_id(0, "SN");
  EXPECT_EQ(edit_with_scan("SN12345678"), EDIT_SCANNED);
  EXPECT_STREQ(edit_buffer, "12345678");
  watch_message();
  EXPECT_EQ(edit_with_scan("SN1234567"), KEY_ENTER);
  EXPECT_EQ(shown_message, "Scan does not fit");
}

TEST_F(SensorTest, ValueWithAnotherFieldsDataIdGoesToThatField) {
  put_field(0, INPUT_AIALPHA, 10, 3, 0);
  put_field(4, INPUT_NUM, 5, 9, 20);
  data_id(4, "Q");
  put_field(6, INPUT_ALPHA, 8, 10, 20);
  data_id(6, "Q");
  put_field(2, INPUT_ALPHA, 2, 11, 20);
  data_id(2, "Q");  // matches first but does not fit
  EXPECT_EQ(edit_with_scan("Q123"), EDIT_SCANNED);
  EXPECT_EQ(current_field, 4);
  EXPECT_STREQ(edit_buffer, "123");
  EXPECT_EQ(cells(9, 20, 5), "123__");

  EXPECT_EQ(edit_with_scan("Q123456"), EDIT_SCANNED) << "too long for field 5, so field 7 takes it";
  EXPECT_EQ(current_field, 6);
  EXPECT_STREQ(edit_buffer, "123456");
}

TEST_F(SensorTest, UnmatchedValueGoesWholeIntoAFieldThatTakesScans) {
  put_field(0, INPUT_ALPHA, 10);
  watch_message();
  EXPECT_EQ(edit_with_scan("ABC"), KEY_ENTER);
  EXPECT_EQ(shown_message, "No scans here    ");

  put_field(0, INPUT_AIALPHA, 10, 5, 10);
  EXPECT_EQ(edit_with_scan("ABC"), EDIT_SCANNED);
  EXPECT_STREQ(edit_buffer, "ABC");
  EXPECT_EQ(t.count_log("flagged 5,10 \"ABC\""), 1);
}

TEST_F(SensorTest, MandatoryDataIdRefusesAScanWithoutIt) {
  put_field(0, INPUT_AI, 10);
  data_id(0, "D", 0, 1);
  watch_message();
  EXPECT_EQ(edit_with_scan("X42"), KEY_ENTER);
  EXPECT_EQ(shown_message, "Data ID needed   ");
  data_id(0, "D", 0, 0);
  EXPECT_EQ(edit_with_scan("X42"), EDIT_SCANNED);
  EXPECT_STREQ(edit_buffer, "X42");
}

TEST_F(SensorTest, MacrosActAsKeysWithASignalOnlyOnceTypingHasStarted) {
  put_field(0, INPUT_ALPHA, 10);
  t.at(0.5, [this] { t.scan("$ENT$"); });
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_EQ(t.count_log("beep"), 0);

  const char *macros[] = {"$OK$", "$LT$", "$RT$", "$CAN$", "$CLR$", "$ENT$", "$OK$ and more"};
  const int keys[] = {KEY_COMPLETE,    KEY_PREVIOUS, KEY_NEXT,    KEY_CANCEL,
                      KEY_BLANK_ENTRY, KEY_ENTER,    KEY_COMPLETE};
  for (int i = 0; i < 7; ++i) {
    t.clear_log();
    t.type("ab");
    t.at(0.5, [this, i, &macros] { t.scan(macros[i]); });
    EXPECT_EQ(edit_field("", 0), keys[i]) << macros[i];
    EXPECT_EQ(t.count_log("beep 0,2,3"), 1);
  }
}

TEST_F(SensorTest, OtherRecordsAreDroppedWhileTyping) {
  put_field(0, INPUT_AIALPHA, 10);
  t.type("ab");
  t.at(0.5, [this] { t.scan("$OK"); });
  t.at(0.6, [this] { t.scan("$OK$", 21); });
  t.at(1, [this] { t.key(KEY_ENTER); });
  EXPECT_EQ(edit_field("", 0), KEY_ENTER);
  EXPECT_STREQ(edit_buffer, "AB");
  EXPECT_EQ(t.count_log("beep 0,2,3"), 1) << "only the record with a value signals";

  t.scan("$OK$", 23);
  t.scan("waiting before the field");
  t.at(0.5, [this] { t.scan("$OK", 23); });
  t.at(1, [this] { t.scan("$OK"); });
  t.at(2, [this] { t.key(KEY_ENTER); });
  EXPECT_EQ(edit_field("", 0), EDIT_SCANNED);
  EXPECT_STREQ(edit_buffer, "$OK") << "three characters are no macro";
}

TEST_F(SensorTest, ScannedPasswordIsShownUnmasked) {
  put_field(0, INPUT_PASSWORD, 8, 6, 0);
  EXPECT_EQ(edit_with_scan("secret"), EDIT_SCANNED);
  EXPECT_EQ(cells(6, 0, 8), "secret__");
}

TEST_F(SensorTest, DataLengthIsTakenWithinTheRecord) {
  put_field(0, INPUT_AIALPHA, 39);
  current_field = 0;
  std::memset(sensor_record, 'Z', sizeof sensor_record);
  sensor_record[0] = 0;
  sensor_record[2] = 0xF0;  // -16
  EXPECT_EQ(route_sensor_record(), SENSOR_PLACED);
  EXPECT_STREQ(edit_buffer, "");
  sensor_record[2] = 120;
  EXPECT_EQ(route_sensor_record(), SENSOR_REFUSED) << "97 characters do not fit";
  fields.length[0] = 120;
  EXPECT_EQ(route_sensor_record(), SENSOR_REFUSED) << "no value is longer than a field value holds";
}

}  // namespace
