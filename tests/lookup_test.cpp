// The in-place search of data file images: help records by number, values
// of value files, and a brute-force comparison over generated images that
// are searched from buffers of their exact size, so that ASan sees any read
// outside them.
#include "validate/lookup.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/terminal_test.h"

namespace {

class LookupTest : public TerminalTest {
 protected:
  std::string numbered(int number, unsigned char width = RECORD_KEY_WIDTH) {
    unsigned int length = 0;
    const char *record = find_numbered_record("HELP.VAL", number, width, &length);
    return record ? std::string(record, length) : "<none>";
  }
};

TEST_F(LookupTest, HelpRecordsAreFoundByNumber) {
  t.add_file("HELP.VAL", "0001 First\n0002 Second\n0010 Tenth\n");
  EXPECT_EQ(numbered(1), "0001 First");
  EXPECT_EQ(numbered(2), "0002 Second");
  EXPECT_EQ(numbered(10), "0010 Tenth");
  EXPECT_EQ(numbered(3), "<none>");
  EXPECT_EQ(numbered(11), "<none>");
  EXPECT_EQ(numbered(0), "<none>");
  EXPECT_EQ(numbered(-1), "<none>");
}

TEST_F(LookupTest, ARecordOfOnlyItsNumberIsFoundWithAnEmptyText) {
  t.add_file("HELP.VAL", "0004 x\n0005\n0006 y\n");
  unsigned int length = 0;
  const char *record = find_numbered_record("HELP.VAL", 5, 4, &length);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(length, 4u);
  char text[8] = "junk";
  copy_record_text(text, sizeof text, record, length);
  EXPECT_STREQ(text, "");
}

TEST_F(LookupTest, TheKeyIsTheNumberWithLeadingZerosOverTheKeyWidth) {
  t.add_file("HELP.VAL", "00007 five wide\n0012 four wide\n1234 x\n");
  EXPECT_EQ(numbered(7, 9), "00007 five wide") << "a width above 5 counts as 5";
  EXPECT_EQ(numbered(7, 4), "<none>");
  EXPECT_EQ(numbered(12, 4), "0012 four wide");
  EXPECT_EQ(numbered(12345, 4), "<none>") << "more digits than the key holds";
}

TEST_F(LookupTest, RecordsOfVeryDifferentLengthsAreAllFound) {
  // Narrowing the window by byte counts alone loses the last record here.
  t.add_file("HELP.VAL", "0003 A much longer text here\n0005 \n0012 \n");
  EXPECT_EQ(numbered(3), "0003 A much longer text here");
  EXPECT_EQ(numbered(5), "0005 ");
  EXPECT_EQ(numbered(12), "0012 ");
  t.add_file("HELP.VAL", "0042 only\n");
  EXPECT_EQ(numbered(42), "0042 only");
}

TEST_F(LookupTest, AValueMatchesOnlyARecordEqualOverItsWholeLength) {
  t.add_file("B_PARTS", "A100\nB200\nC300\n");
  unsigned char status = 9;
  const char *record = find_listed_value("B_PARTS", "B200", &status);
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record, "B200");
  EXPECT_EQ(status, LOOKUP_FOUND);
  for (const char *absent : {"B20", "B2000", "", "A10", "C3000", "0"}) {
    EXPECT_EQ(find_listed_value("B_PARTS", absent, &status), nullptr) << absent;
    EXPECT_EQ(status, LOOKUP_NOT_FOUND) << absent;
  }
  EXPECT_EQ(check_listed_value("B_PARTS", '3', "B200"), 0);
  EXPECT_EQ(check_listed_value("B_PARTS", '3', "B20"), 1);
  EXPECT_EQ(check_listed_value("B_PARTS", '2', "B200"), 1);
  EXPECT_EQ(check_listed_value("B_PARTS", '2', "B20"), 0);
}

TEST_F(LookupTest, AnUnknownFileGivesNothingAndStatusFour) {
  unsigned char status = 0;
  EXPECT_EQ(find_numbered_record("NOFILE.VAL", 1, 4, nullptr), nullptr);
  EXPECT_EQ(find_listed_value("B_NONE", "X", &status), nullptr);
  EXPECT_EQ(status, LOOKUP_NO_FILE);
  EXPECT_EQ(check_listed_value("B_NONE", '3', "X"), 4);
  EXPECT_EQ(check_listed_value("B_NONE", '2', "X"), 4);
}

TEST_F(LookupTest, AnEmptyImageHoldsNoRecords) {
  t.add_image("B_EMPTY", "");
  unsigned char status = 9;
  EXPECT_EQ(find_listed_value("B_EMPTY", "", &status), nullptr);
  EXPECT_EQ(status, LOOKUP_NOT_FOUND);
  EXPECT_EQ(check_listed_value("B_EMPTY", '3', "A"), 1);
  t.add_image("HELP.VAL", "");
  EXPECT_EQ(numbered(1), "<none>");
}

TEST_F(LookupTest, RecordTextsAreCutToTheirDestination) {
  const char record[] = "0007 Seven is the text";
  char text[6];
  copy_record_text(text, sizeof text, record, sizeof record - 1);
  EXPECT_STREQ(text, "Seven");
  copy_record_from(text, sizeof text, record, sizeof record - 1, 4);
  EXPECT_STREQ(text, " Seve");
  copy_record_text(text, sizeof text, record, 5);
  EXPECT_STREQ(text, "");
}

// ---- brute force over generated images ----

// The records of an image as the search sees them: each ended by a zero
// byte, the last one possibly by the image's end.
std::vector<std::string> records_of(const std::string &image) {
  std::vector<std::string> records;
  std::size_t start = 0;
  while (start < image.size()) {
    std::size_t end = image.find('\0', start);
    if (end == std::string::npos) end = image.size();
    records.push_back(image.substr(start, end - start));
    start = end + 1;
  }
  return records;
}

std::string join(const std::vector<std::string> &records, bool terminate_last) {
  std::string image;
  for (const std::string &r : records) image += r + '\0';
  if (!terminate_last && !image.empty()) image.pop_back();
  return image;
}

// An image held in a heap block of its exact size.
struct ExactImage {
  explicit ExactImage(const std::string &bytes) : size(bytes.size()), data(new char[bytes.size()]) {
    std::copy(bytes.begin(), bytes.end(), data.get());
  }
  unsigned int size;
  std::unique_ptr<char[]> data;
};

class ImageSearch : public ::testing::Test {
 protected:
  std::mt19937 random{20240607};

  int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

  std::string random_text(int max_length) {
    static const char kAlphabet[] = {'0', '1', '2', 'A', 'B', ' ', '=', '\x7f', '\x80', '\xff'};
    std::string text(uniform(0, max_length), ' ');
    for (char &c : text) c = kAlphabet[uniform(0, sizeof kAlphabet - 1)];
    return text;
  }

  int record_count() { return uniform(0, 9) == 0 ? uniform(100, 1500) : uniform(0, 40); }

  // Checks one search: a returned record starts a record of the image and
  // matches the key; for a sorted image a matching record must be found.
  void check(const ExactImage &image, const std::set<std::string> &records, const std::string &key,
             bool prefix, bool sorted) {
    unsigned int length = 12345;
    const char *found =
        find_in_image(image.data.get(), image.size, key.data(), (unsigned int)key.size(), prefix, &length);
    // The records beginning with a key sort together, right from the key on.
    auto first = records.lower_bound(key);
    bool present =
        first != records.end() && (prefix ? first->compare(0, key.size(), key) == 0 : *first == key);
    if (found == nullptr) {
      EXPECT_FALSE(sorted && present) << "missed \"" << key << "\" among " << records.size();
      return;
    }
    const char *base = image.data.get();
    ASSERT_TRUE(found >= base && found < base + image.size);
    EXPECT_TRUE(found == base || found[-1] == '\0') << "not a record start";
    std::size_t rest = base + image.size - found;
    const void *end = std::memchr(found, '\0', rest);
    EXPECT_EQ(length, end ? (const char *)end - found : rest);
    std::string record(found, length);
    if (prefix)
      EXPECT_EQ(record.compare(0, key.size(), key), 0);
    else
      EXPECT_EQ(record, key);
  }
};

TEST_F(ImageSearch, EveryValueOfASortedImageIsFoundAndNoOtherValue) {
  for (int trial = 0; trial < 1500; ++trial) {
    std::vector<std::string> generated;
    int count = record_count();
    for (int i = 0; i < count; ++i) generated.push_back(random_text(8));
    std::sort(generated.begin(), generated.end());  // byte order, as unsigned values
    if (uniform(0, 1)) generated.erase(std::unique(generated.begin(), generated.end()), generated.end());
    std::string bytes = join(generated, uniform(0, 3) != 0);
    ExactImage image(bytes);
    std::vector<std::string> listed = records_of(bytes);
    std::set<std::string> records(listed.begin(), listed.end());
    SCOPED_TRACE(trial);
    for (const std::string &r : listed) check(image, records, r, false, true);
    for (int k = 0; k < 20; ++k) check(image, records, random_text(9), false, true);
    if (::testing::Test::HasFailure()) return;
  }
}

TEST_F(ImageSearch, EveryNumberOfASortedHelpImageIsFoundAndNoOtherNumber) {
  for (int trial = 0; trial < 1500; ++trial) {
    std::set<int> numbers;
    int count = record_count();
    for (int i = 0; i < count; ++i) numbers.insert(uniform(0, 9999));
    std::vector<std::string> generated;
    char key[8];
    for (int n : numbers) {
      std::snprintf(key, sizeof key, "%04d", n);
      generated.push_back(key + (uniform(0, 4) ? " " + random_text(uniform(0, 1) ? 3 : 60) : std::string()));
    }
    std::string bytes = join(generated, uniform(0, 3) != 0);
    ExactImage image(bytes);
    std::vector<std::string> listed = records_of(bytes);
    std::set<std::string> records(listed.begin(), listed.end());
    SCOPED_TRACE(trial);
    for (int k = 0; k < 40; ++k) {
      int n = k < (int)numbers.size() && k % 2 ? *std::next(numbers.begin(), uniform(0, numbers.size() - 1))
                                               : uniform(0, 9999);
      std::snprintf(key, sizeof key, "%04d", n);
      check(image, records, key, true, true);
    }
    if (::testing::Test::HasFailure()) return;
  }
}

TEST_F(ImageSearch, UnsortedAndArbitraryImagesAreSearchedWithinTheirBounds) {
  for (int trial = 0; trial < 1500; ++trial) {
    std::string bytes;
    if (trial % 2) {
      std::vector<std::string> generated;
      int count = record_count();
      for (int i = 0; i < count; ++i) generated.push_back(random_text(8));
      bytes = join(generated, uniform(0, 1) != 0);
    } else {
      bytes = random_text(uniform(0, 200));
      for (char &c : bytes)
        if (uniform(0, 5) == 0) c = '\0';
    }
    ExactImage image(bytes);
    std::vector<std::string> listed = records_of(bytes);
    std::set<std::string> records(listed.begin(), listed.end());
    SCOPED_TRACE(trial);
    for (const std::string &r : listed) check(image, records, r, false, false);
    for (int k = 0; k < 10; ++k) {
      check(image, records, random_text(9), false, false);
      check(image, records, random_text(4), true, false);
    }
    if (::testing::Test::HasFailure()) return;
  }
}

}  // namespace
