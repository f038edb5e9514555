// peload.cpp - a test loader that runs a 32-bit Windows DLL on i686 Linux.
//
// It does what the Windows loader does for forms32.dll, and no more: maps the
// image, applies its base relocations, binds its imports by name, points %fs
// at a thread block (MinGW's start-up code reads it), runs the TLS callbacks
// and DllMain, and finds the exported main. Both sides use the same cdecl
// convention, so the DLL calls the C library and the run-time directly, with
// one difference: MinGW's code keeps the stack 4-byte aligned while Linux
// i386 code may assume 16, so every call out of the DLL goes through a stub
// that realigns the stack. The KERNEL32 stand-ins are stdcall and realign on
// their own.
#include "peload.h"

#include <asm/ldt.h>
#include <dlfcn.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/termrt.h"

// The stub target: copies the caller's first eight argument words to a
// 16-byte aligned frame and calls the function in %eax. No import takes more
// than eight; reading a few words beyond the real ones only reads the
// caller's frame.
extern "C" void peload_call_aligned();
asm(R"(
  .text
  .globl peload_call_aligned
  .hidden peload_call_aligned
  .type peload_call_aligned, @function
peload_call_aligned:
  push %ebp
  mov %esp, %ebp
  sub $32, %esp
  and $-16, %esp
  .irp word, 0, 1, 2, 3, 4, 5, 6, 7
  mov 8+4*\word(%ebp), %ecx
  mov %ecx, 4*\word(%esp)
  .endr
  call *%eax
  leave
  ret
  .size peload_call_aligned, .-peload_call_aligned
)");

namespace {

using u16 = std::uint16_t;
using u32 = std::uint32_t;

constexpr u16 kMachineI386 = 0x14c;
constexpr u16 kPe32Magic = 0x10b;
constexpr u16 kImageIsDll = 0x2000;
constexpr u32 kImportByOrdinal = 0x80000000u;
constexpr unsigned kRelocationAbsolute = 0, kRelocationHighLow = 3;
constexpr u32 kDllProcessAttach = 1;
constexpr u32 kPageExecuteReadWrite = 0x40;
constexpr u32 kMemCommit = 0x1000, kMemImage = 0x1000000;
constexpr std::size_t kMsvcrtFileSize = 32;  // sizeof(FILE) in 32-bit msvcrt
enum Directory : unsigned { kExports = 0, kImports = 1, kRelocations = 5, kTls = 9 };

// The KERNEL32 stand-ins: the callee pops the arguments, and realigns.
#define STDCALL __attribute__((stdcall, force_align_arg_pointer))
using DllEntry = int(__attribute__((stdcall)) *)(void *module, u32 reason, void *reserved);
using Initializer = void (*)();

// ---- KERNEL32: what MinGW's DLL start-up and its exception-frame
// registration call. One thread, no other modules, memory always writable.

void STDCALL ignore_handle(void *) {}
u32 STDCALL succeed_handle(void *) { return 1; }
u32 STDCALL no_error() { return 0; }
void *STDCALL no_module(const char *) { return nullptr; }
void *STDCALL no_procedure(void *, const char *) { return nullptr; }
void STDCALL no_sleep(u32) {}
void *STDCALL no_tls_value(u32) { return nullptr; }

u32 STDCALL keep_protection(void *, std::size_t, u32, u32 *old_protection) {
  if (old_protection) *old_protection = kPageExecuteReadWrite;
  return 1;
}

struct MemoryInformation {
  void *base, *allocation_base;
  u32 allocation_protection;
  std::size_t region_size;
  u32 state, protection, type;
};

std::size_t STDCALL query_page(const void *address, MemoryInformation *info, std::size_t size) {
  if (info == nullptr || size < sizeof *info) return 0;
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  void *start = reinterpret_cast<void *>(reinterpret_cast<std::uintptr_t>(address) & ~(page - 1));
  *info = {start, start, kPageExecuteReadWrite, page, kMemCommit, kPageExecuteReadWrite, kMemImage};
  return sizeof *info;
}

// ---- msvcrt: its own names, and its stdio streams as the array _iob.

unsigned char msvcrt_iob[3][kMsvcrtFileSize];

std::FILE *host_stream(const void *msvcrt_file) {
  for (int i = 0; i < 3; ++i)
    if (msvcrt_file == msvcrt_iob[i]) return i == 0 ? stdin : i == 1 ? stdout : stderr;
  return stderr;  // the DLL imports no fopen, so no other stream exists
}

void run_initializers(Initializer *begin, Initializer *end) {
  for (; begin < end; ++begin)
    if (*begin) (*begin)();
}

void runtime_error(int code) {
  std::fprintf(stderr, "peload: the DLL's C run-time stopped with error %d\n", code);
  std::abort();
}

void ignore_lock(int) {}

std::size_t write_stream(const void *data, std::size_t size, std::size_t count, void *file) {
  return std::fwrite(data, size, count, host_stream(file));
}

int print_stream(void *file, const char *format, std::va_list arguments) {
  return std::vfprintf(host_stream(file), format, arguments);
}

// C functions whose msvcrt and glibc versions agree for the C locale.
constexpr std::string_view kSameInBothC[] = {
    "abort",   "atoi",    "atol",   "calloc", "free",    "isalnum", "isalpha", "isdigit", "islower",
    "isspace", "isupper", "malloc", "memchr", "memcmp",  "memcpy",  "memmove", "memset",  "realloc",
    "strcat",  "strchr",  "strcmp", "strcpy", "strcspn", "strlen",  "strncat", "strncmp", "strncpy",
    "strpbrk", "strrchr", "strspn", "strstr", "tolower", "toupper"};

// How an import is bound: through a realigning stub, or to the address as it is.
enum class Binding { kRealigned, kDirect };
struct Export {
  std::string_view name;
  void *address;
  Binding binding;
};

template <typename F>
void *address_of(F *function) {
  return reinterpret_cast<void *>(function);
}

const Export kKernel32[] = {
    {"DeleteCriticalSection", address_of(ignore_handle), Binding::kDirect},
    {"EnterCriticalSection", address_of(ignore_handle), Binding::kDirect},
    {"InitializeCriticalSection", address_of(ignore_handle), Binding::kDirect},
    {"LeaveCriticalSection", address_of(ignore_handle), Binding::kDirect},
    {"FreeLibrary", address_of(succeed_handle), Binding::kDirect},
    {"GetLastError", address_of(no_error), Binding::kDirect},
    {"GetModuleHandleA", address_of(no_module), Binding::kDirect},
    {"LoadLibraryA", address_of(no_module), Binding::kDirect},
    {"GetProcAddress", address_of(no_procedure), Binding::kDirect},
    {"Sleep", address_of(no_sleep), Binding::kDirect},
    {"TlsGetValue", address_of(no_tls_value), Binding::kDirect},
    {"VirtualProtect", address_of(keep_protection), Binding::kDirect},
    {"VirtualQuery", address_of(query_page), Binding::kDirect},
};

const Export kMsvcrtOwn[] = {
    {"_iob", msvcrt_iob, Binding::kDirect},
    {"_initterm", address_of(run_initializers), Binding::kRealigned},
    {"_amsg_exit", address_of(runtime_error), Binding::kRealigned},
    {"_lock", address_of(ignore_lock), Binding::kRealigned},
    {"_unlock", address_of(ignore_lock), Binding::kRealigned},
    {"fwrite", address_of(write_stream), Binding::kRealigned},
    {"vfprintf", address_of(print_stream), Binding::kRealigned},
};

bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

template <std::size_t N>
const Export *find(const Export (&table)[N], std::string_view name) {
  for (const Export &e : table)
    if (e.name == name) return &e;
  return nullptr;
}

// A function of the simulated run-time library itself (not of a library it
// pulls in), or nullptr.
void *runtime_function(const char *name) {
  Dl_info runtime{}, found{};
  if (!dladdr(address_of(_VioClear), &runtime)) return nullptr;
  void *library = dlopen(runtime.dli_fname, RTLD_NOW | RTLD_NOLOAD);
  if (library == nullptr) return nullptr;
  void *function = dlsym(library, name);
  dlclose(library);
  if (function == nullptr || !dladdr(function, &found) || found.dli_fbase != runtime.dli_fbase)
    return nullptr;
  return function;
}

bool bind(std::string_view dll, const char *name, Export *out) {
  const Export *e = nullptr;
  if (same_name(dll, "KERNEL32.dll")) {
    e = find(kKernel32, name);
  } else if (same_name(dll, "msvcrt.dll")) {
    e = find(kMsvcrtOwn, name);
    if (e == nullptr && std::count(std::begin(kSameInBothC), std::end(kSameInBothC), name)) {
      *out = {name, dlsym(RTLD_DEFAULT, name), Binding::kRealigned};
      return out->address != nullptr;
    }
  } else if (same_name(dll, "termrt.dll")) {
    *out = {name, runtime_function(name), Binding::kRealigned};
    return out->address != nullptr;
  }
  if (e) *out = *e;
  return e != nullptr;
}

// The thread block that %fs points at while the DLL runs: its start-up code
// reads the block's own address (0x18) and the stack base (0x04) from it.
struct ThreadBlock {
  u32 words[16];
};
ThreadBlock thread_block;

bool point_fs_at_thread_block() {
  static bool done = false;
  if (done) return true;
  thread_block.words[0] = 0xffffffffu;  // no exception handler frame
  thread_block.words[1] = static_cast<u32>(reinterpret_cast<std::uintptr_t>(&thread_block + 1));
  thread_block.words[6] = static_cast<u32>(reinterpret_cast<std::uintptr_t>(&thread_block));
  user_desc segment{};
  segment.entry_number = static_cast<unsigned>(-1);
  segment.base_addr = static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(&thread_block));
  segment.limit = sizeof thread_block - 1;
  segment.seg_32bit = 1;
  segment.useable = 1;
  if (syscall(SYS_set_thread_area, &segment) != 0) return false;
  const u16 selector = static_cast<u16>(segment.entry_number * 8 + 3);
  asm volatile("movw %0, %%fs" : : "r"(selector));
  done = true;
  return true;
}

// A 12-byte stub per realigned import: mov $target, %eax; mov $common, %ecx; jmp *%ecx.
constexpr std::size_t kStubSize = 12;
void write_stub(unsigned char *stub, void *target) {
  const u32 target_address = static_cast<u32>(reinterpret_cast<std::uintptr_t>(target));
  const u32 common = static_cast<u32>(reinterpret_cast<std::uintptr_t>(address_of(peload_call_aligned)));
  stub[0] = 0xb8;
  std::memcpy(stub + 1, &target_address, 4);
  stub[5] = 0xb9;
  std::memcpy(stub + 6, &common, 4);
  stub[10] = 0xff;
  stub[11] = 0xe1;
}

// Anonymous memory that can be written and run, given back unless kept.
class Mapping {
 public:
  explicit Mapping(std::size_t size)
      : size_(size),
        base_(mmap(nullptr, size, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)) {
    if (base_ == MAP_FAILED) base_ = nullptr;
  }
  Mapping(const Mapping &) = delete;
  Mapping &operator=(const Mapping &) = delete;
  ~Mapping() {
    if (base_ && !kept_) munmap(base_, size_);
  }
  unsigned char *bytes() const { return static_cast<unsigned char *>(base_); }
  void keep() { kept_ = true; }

 private:
  std::size_t size_;
  void *base_;
  bool kept_ = false;
};

class Loader {
 public:
  Loader(std::string name, std::vector<unsigned char> file)
      : name_(std::move(name)), file_(std::move(file)) {}

  pe_main_fn load() {
    if (!read_headers() || !map_image() || !relocate() || !bind_imports() || !start()) return nullptr;
    return find_main();
  }
  const std::string &error() const { return error_; }

 private:
  bool fail(const std::string &why) {
    error_ = name_ + ": " + why;
    return false;
  }
  bool file_u32(std::size_t offset, u32 *value) const {
    if (offset > file_.size() || file_.size() - offset < 4) return false;
    std::memcpy(value, &file_[offset], 4);
    return true;
  }
  u16 file_u16(std::size_t offset) const {
    u16 value = 0;
    if (offset <= file_.size() && file_.size() - offset >= 2) std::memcpy(&value, &file_[offset], 2);
    return value;
  }
  // count bytes of the mapped image at rva, or nullptr when they reach past it.
  unsigned char *at(u32 rva, u32 count) const {
    return rva <= size_ && size_ - rva >= count ? image_->bytes() + rva : nullptr;
  }
  bool image_u32(u32 rva, u32 *value) const {
    const unsigned char *p = at(rva, 4);
    if (p) std::memcpy(value, p, 4);
    return p != nullptr;
  }
  // A zero-terminated name inside the image, or nullptr.
  const char *name_at(u32 rva) const {
    const unsigned char *p = at(rva, 1);
    return p && std::memchr(p, 0, size_ - rva) ? reinterpret_cast<const char *>(p) : nullptr;
  }
  // The image address of a virtual address in it, or nullptr.
  unsigned char *at_address(u32 address, u32 count) const {
    return at(address - static_cast<u32>(reinterpret_cast<std::uintptr_t>(image_->bytes())), count);
  }

  bool read_headers() {
    u32 pe = 0, signature = 0;
    if (file_u16(0) != 0x5a4d || !file_u32(0x3c, &pe) || !file_u32(pe, &signature) || signature != 0x4550)
      return fail("not a Windows DLL (no PE header)");
    const u16 machine = file_u16(pe + 4);
    if (machine != kMachineI386) {
      char text[80];
      std::snprintf(text, sizeof text,
                    "not a 32-bit x86 DLL (machine 0x%x); this loader runs i386 images only", machine);
      return fail(text);
    }
    sections_ = pe + 24 + file_u16(pe + 20);
    section_count_ = file_u16(pe + 6);
    optional_ = pe + 24;
    u32 directory_count = 0;
    if (!(file_u16(pe + 22) & kImageIsDll) || file_u16(optional_) != kPe32Magic ||
        !file_u32(optional_ + 16, &entry_) || !file_u32(optional_ + 28, &preferred_base_) ||
        !file_u32(optional_ + 56, &size_) || !file_u32(optional_ + 60, &header_size_) ||
        !file_u32(optional_ + 92, &directory_count) || size_ == 0 || header_size_ > size_)
      return fail("not a 32-bit Windows DLL (PE32 optional header)");
    directory_count_ = directory_count;
    return true;
  }

  bool directory(unsigned index, u32 *rva, u32 *size) const {
    return index < directory_count_ && file_u32(optional_ + 96 + 8 * index, rva) &&
           file_u32(optional_ + 100 + 8 * index, size) && *rva != 0;
  }

  bool map_image() {
    image_ = std::make_unique<Mapping>(size_);
    if (image_->bytes() == nullptr) return fail("cannot map " + std::to_string(size_) + " bytes");
    std::memcpy(image_->bytes(), file_.data(), std::min<std::size_t>(header_size_, file_.size()));
    for (u32 i = 0; i < section_count_; ++i) {
      const std::size_t header = sections_ + 40 * i;
      u32 virtual_size = 0, rva = 0, raw_size = 0, raw_offset = 0;
      if (!file_u32(header + 8, &virtual_size) || !file_u32(header + 12, &rva) ||
          !file_u32(header + 16, &raw_size) || !file_u32(header + 20, &raw_offset))
        return fail("section table cut short");
      const u32 copied = virtual_size && virtual_size < raw_size ? virtual_size : raw_size;
      if (raw_offset > file_.size() || file_.size() - raw_offset < copied || at(rva, copied) == nullptr)
        return fail("section " + std::to_string(i) + " lies outside the file or the image");
      std::memcpy(at(rva, copied), &file_[raw_offset], copied);
    }
    return true;
  }

  bool relocate() {
    u32 rva = 0, size = 0;
    const u32 delta = static_cast<u32>(reinterpret_cast<std::uintptr_t>(image_->bytes())) - preferred_base_;
    if (!directory(kRelocations, &rva, &size)) return true;
    if (at(rva, size) == nullptr) return fail("base relocations reach past the image");
    const u32 end = rva + size;
    for (u32 block = rva; end - block >= 8;) {
      u32 page = 0, block_size = 0;
      if (!image_u32(block, &page) || !image_u32(block + 4, &block_size) || block_size < 8 ||
          block_size > end - block)
        return fail("base relocation block at " + std::to_string(block) + " is malformed");
      for (u32 entry = block + 8; entry + 2 <= block + block_size; entry += 2) {
        const unsigned char *p = at(entry, 2);
        const unsigned type = p[1] >> 4, offset = (p[1] & 0x0fu) << 8 | p[0];
        u32 value = 0;
        if (type == kRelocationAbsolute) continue;
        if (type != kRelocationHighLow || !image_u32(page + offset, &value))
          return fail("unsupported base relocation of type " + std::to_string(type));
        value += delta;
        std::memcpy(at(page + offset, 4), &value, 4);
      }
      block += block_size;
    }
    return true;
  }

  bool bind_imports() {
    struct Slot {
      u32 rva;
      Export bound;
    };
    std::vector<Slot> slots;
    u32 rva = 0, size = 0;
    for (u32 descriptor = directory(kImports, &rva, &size) ? rva : 0; descriptor; descriptor += 20) {
      u32 lookup = 0, name = 0, address_table = 0;
      if (!image_u32(descriptor, &lookup) || !image_u32(descriptor + 12, &name) ||
          !image_u32(descriptor + 16, &address_table))
        return fail("import directory reaches past the image");
      if (name == 0 && address_table == 0) break;
      const char *dll = name_at(name);
      if (dll == nullptr) return fail("an import names no DLL");
      for (u32 i = 0;; ++i) {
        u32 entry = 0;
        if (!image_u32((lookup ? lookup : address_table) + 4 * i, &entry))
          return fail(std::string("import table of ") + dll + " reaches past the image");
        if (entry == 0) break;
        if (entry & kImportByOrdinal)
          return fail("imports ordinal " + std::to_string(entry & 0xffff) + " from " + dll +
                      ", which this loader does not provide (it binds by name only)");
        const char *function = name_at(entry + 2);
        Slot slot{address_table + 4 * i, {}};
        if (function == nullptr || at(slot.rva, 4) == nullptr)
          return fail(std::string("import table of ") + dll + " is malformed");
        if (!bind(dll, function, &slot.bound))
          return fail(std::string("imports ") + function + " from " + dll +
                      ", which this loader does not provide");
        slots.push_back(slot);
      }
    }
    stubs_ = std::make_unique<Mapping>(kStubSize * (slots.size() + 1));
    if (stubs_->bytes() == nullptr) return fail("cannot map the import stubs");
    unsigned char *stub = stubs_->bytes();
    for (const Slot &slot : slots) {
      void *address = slot.bound.address;
      if (slot.bound.binding == Binding::kRealigned) {
        write_stub(stub, address);
        address = stub;
        stub += kStubSize;
      }
      const u32 value = static_cast<u32>(reinterpret_cast<std::uintptr_t>(address));
      std::memcpy(at(slot.rva, 4), &value, 4);
    }
    return true;
  }

  // The TLS callbacks, then DllMain, as for a process attaching the DLL.
  bool start() {
    if (!point_fs_at_thread_block()) return fail("cannot set up the thread block for %fs (set_thread_area)");
    void *module = image_->bytes();
    u32 rva = 0, size = 0;
    if (directory(kTls, &rva, &size)) {
      u32 index_address = 0, callbacks = 0, callback = 0;
      if (!image_u32(rva + 8, &index_address) || !image_u32(rva + 12, &callbacks))
        return fail("TLS directory reaches past the image");
      if (unsigned char *index = at_address(index_address, 4)) std::memset(index, 0, 4);
      for (; callbacks; callbacks += 4) {
        const unsigned char *p = at_address(callbacks, 4);
        if (p == nullptr) return fail("TLS callback list reaches past the image");
        std::memcpy(&callback, p, 4);
        if (callback == 0) break;
        if (at_address(callback, 1) == nullptr) return fail("a TLS callback lies outside the image");
        reinterpret_cast<DllEntry>(static_cast<std::uintptr_t>(callback))(module, kDllProcessAttach, nullptr);
      }
    }
    if (entry_ != 0) {
      if (at(entry_, 1) == nullptr) return fail("entry point lies outside the image");
      if (!reinterpret_cast<DllEntry>(at(entry_, 1))(module, kDllProcessAttach, nullptr))
        return fail("DllMain refused to attach");
    }
    return true;
  }

  pe_main_fn find_main() {
    u32 rva = 0, size = 0, name_count = 0, functions = 0, names = 0, ordinals = 0;
    if (!directory(kExports, &rva, &size) || !image_u32(rva + 24, &name_count) ||
        !image_u32(rva + 28, &functions) || !image_u32(rva + 32, &names) || !image_u32(rva + 36, &ordinals)) {
      fail("exports nothing");
      return nullptr;
    }
    for (u32 i = 0; i < name_count; ++i) {
      u32 name = 0, function = 0;
      const unsigned char *ordinal = at(ordinals + 2 * i, 2);
      if (!image_u32(names + 4 * i, &name) || ordinal == nullptr) break;
      const char *text = name_at(name);
      if (text == nullptr || std::strcmp(text, "main") != 0) continue;
      if (!image_u32(functions + 4 * (ordinal[0] | ordinal[1] << 8), &function) ||
          at(function, 1) == nullptr || (function >= rva && function - rva < size))
        break;
      image_->keep();
      stubs_->keep();
      return reinterpret_cast<pe_main_fn>(at(function, 1));
    }
    fail("does not export main");
    return nullptr;
  }

  std::string name_;
  std::vector<unsigned char> file_;
  std::size_t sections_ = 0, optional_ = 0;
  u32 section_count_ = 0, directory_count_ = 0;
  u32 entry_ = 0, preferred_base_ = 0, size_ = 0, header_size_ = 0;
  std::unique_ptr<Mapping> image_, stubs_;
  std::string error_;
};

}  // namespace

extern "C" pe_main_fn pe_load(const char *dll_path, char *error, size_t error_size) {
  std::string why;
  pe_main_fn main = nullptr;
  std::ifstream in(dll_path ? dll_path : "", std::ios::binary);
  if (!in) {
    why = std::string(dll_path ? dll_path : "(no path)") + ": cannot be read";
  } else {
    Loader loader(dll_path, std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {}));
    main = loader.load();
    why = loader.error();
  }
  if (error && error_size) std::snprintf(error, error_size, "%s", main ? "" : why.c_str());
  return main;
}
