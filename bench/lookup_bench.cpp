// lookup_bench.cpp - cost of one record lookup in a data file image.
//
// Three ways over the same generated images: the library's in-place search
// (no index), std::lower_bound over a prebuilt array of record offsets, and a
// linear scan. Images: a value file of 1,000,000 records of 4 to 12
// characters and a help file of 9,999 numbered records with texts of 0 to 60
// characters. Each iteration is one lookup of a key drawn from a shuffled
// list of present keys.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "terminal.h"
#include "validate/lookup.h"

namespace {

constexpr std::size_t kKeyCount = 1 << 14;

struct Image {
  std::string bytes;
  std::vector<unsigned int> offsets;  // first byte of each record
  std::vector<std::string> keys;      // shuffled keys of present records
  unsigned int key_length = 0;        // 0: whole-record keys
};

void index_records(Image &image) {
  for (std::size_t start = 0; start < image.bytes.size(); start = image.bytes.find('\0', start) + 1)
    image.offsets.push_back(static_cast<unsigned int>(start));
}

void pick_keys(Image &image, std::mt19937 &random, const std::vector<std::string> &candidates) {
  std::uniform_int_distribution<std::size_t> pick(0, candidates.size() - 1);
  for (std::size_t i = 0; i < kKeyCount; ++i) image.keys.push_back(candidates[pick(random)]);
}

const Image &value_file() {
  static Image image = [] {
    Image built;
    std::mt19937 random(7);
    std::uniform_int_distribution<int> length(4, 12), letter(0, 35);
    std::set<std::string> values;
    while (values.size() < 1000000) {
      std::string v(length(random), ' ');
      for (char &c : v) {
        int n = letter(random);
        c = static_cast<char>(n < 10 ? '0' + n : 'A' + n - 10);
      }
      values.insert(v);
    }
    for (const std::string &v : values) built.bytes += v + '\0';
    index_records(built);
    pick_keys(built, random, std::vector<std::string>(values.begin(), values.end()));
    return built;
  }();
  return image;
}

const Image &help_file() {
  static Image image = [] {
    Image built;
    std::mt19937 random(11);
    std::uniform_int_distribution<int> length(0, 60);
    std::vector<std::string> numbers;
    char key[8];
    for (int n = 1; n <= 9999; ++n) {
      std::snprintf(key, sizeof key, "%04d", n);
      numbers.push_back(key);
      built.bytes += std::string(key) + ' ' + std::string(length(random), 'x') + '\0';
    }
    index_records(built);
    pick_keys(built, random, numbers);
    built.key_length = RECORD_KEY_WIDTH;
    return built;
  }();
  return image;
}

// The record at offset compared with key: whole records, or their first
// key_length bytes.
int compare_at(const Image &image, unsigned int offset, const std::string &key) {
  const char *record = image.bytes.data() + offset;
  if (image.key_length != 0) return std::memcmp(record, key.data(), image.key_length);
  return std::strcmp(record, key.c_str());
}

const char *in_place(const Image &image, const std::string &key) {
  unsigned int length;
  unsigned int key_length = image.key_length != 0 ? image.key_length : static_cast<unsigned int>(key.size());
  return find_in_image(image.bytes.data(), static_cast<unsigned int>(image.bytes.size()), key.data(),
                       key_length, image.key_length != 0, &length);
}

const char *indexed(const Image &image, const std::string &key) {
  auto it = std::lower_bound(
      image.offsets.begin(), image.offsets.end(), key,
      [&](unsigned int offset, const std::string &k) { return compare_at(image, offset, k) < 0; });
  if (it == image.offsets.end() || compare_at(image, *it, key) != 0) return nullptr;
  return image.bytes.data() + *it;
}

const char *linear(const Image &image, const std::string &key) {
  const char *p = image.bytes.data();
  const char *end = p + image.bytes.size();
  while (p < end) {
    unsigned int offset = static_cast<unsigned int>(p - image.bytes.data());
    if (compare_at(image, offset, key) == 0) return p;
    p += std::strlen(p) + 1;
  }
  return nullptr;
}

template <const Image &(*File)(), const char *(*Search)(const Image &, const std::string &)>
void lookup(benchmark::State &state) {
  const Image &image = File();
  std::size_t i = 0, misses = 0;
  for (auto _ : state) {
    const char *record = Search(image, image.keys[i++ & (kKeyCount - 1)]);
    misses += record == nullptr;
    benchmark::DoNotOptimize(record);
  }
  if (misses != 0) state.SkipWithError("a present key was not found");
  state.counters["records"] = static_cast<double>(image.offsets.size());
}

// The whole call as panels make it: _DataFile from the run-time, then the
// in-place search.
void help_record_through_data_file(benchmark::State &state) {
  const Image &image = help_file();
  termrt::terminal().add_image("HELP.VAL", image.bytes);
  std::size_t i = 0;
  for (auto _ : state) {
    int number = std::atoi(image.keys[i++ & (kKeyCount - 1)].c_str());
    benchmark::DoNotOptimize(find_numbered_record("HELP.VAL", number, RECORD_KEY_WIDTH, nullptr));
  }
}

BENCHMARK(lookup<value_file, in_place>)->Name("values_1000000/in_place");
BENCHMARK(lookup<value_file, indexed>)->Name("values_1000000/lower_bound_offsets");
BENCHMARK(lookup<value_file, linear>)->Name("values_1000000/linear_scan");
BENCHMARK(lookup<help_file, in_place>)->Name("help_9999/in_place");
BENCHMARK(lookup<help_file, indexed>)->Name("help_9999/lower_bound_offsets");
BENCHMARK(lookup<help_file, linear>)->Name("help_9999/linear_scan");
BENCHMARK(help_record_through_data_file)->Name("help_9999/find_numbered_record_with_DataFile");

}  // namespace

BENCHMARK_MAIN();
