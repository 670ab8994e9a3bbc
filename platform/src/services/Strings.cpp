// The phone's UTF-16 string helpers. The bounded ones never write past the count they are given
// and always terminate when the count is at least 1.
#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace {

// Appends units to a bounded buffer, remembering whether anything was cut.
class BoundedWriter {
 public:
  BoundedWriter(LPWSTR buffer, size_t count) : buffer_(buffer), count_(count) {}

  void put(WCHAR unit) {
    if (length_ + 1 < count_)
      buffer_[length_++] = unit;
    else
      cut_ = true;
  }
  void put(LPCWSTR text) {
    while (*text) put(*text++);
  }
  void repeat(WCHAR unit, int times) {
    for (int i = 0; i < times; ++i) put(unit);
  }
  // Terminates; the units written, or -1 when the result was cut.
  int finish() {
    buffer_[length_] = 0;
    return cut_ ? -1 : int(length_);
  }

 private:
  LPWSTR buffer_;
  size_t count_;
  size_t length_ = 0;
  bool cut_ = false;
};

struct FieldFormat {
  bool left = false;   // '-'
  bool plus = false;   // '+'
  bool space = false;  // ' '
  bool zero = false;   // '0'
  int width = 0;
};

// One converted field, padded to its width.
void putField(BoundedWriter& out, const FieldFormat& form, const char* sign, LPCWSTR digits, int digitCount) {
  int signLength = sign[0] ? 1 : 0;
  int padding = form.width > digitCount + signLength ? form.width - digitCount - signLength : 0;
  if (!form.left && !form.zero) out.repeat(u' ', padding);
  if (signLength) out.put(WCHAR(sign[0]));
  if (!form.left && form.zero) out.repeat(u'0', padding);
  out.put(digits);
  if (form.left) out.repeat(u' ', padding);
}

void putNumber(BoundedWriter& out, const FieldFormat& form, bool negative, unsigned long long magnitude,
               unsigned base) {
  WCHAR digits[24];
  int count = 0;
  WCHAR reversed[24];
  do {
    unsigned digit = unsigned(magnitude % base);
    reversed[count++] = WCHAR(digit < 10 ? u'0' + digit : u'a' + digit - 10);
    magnitude /= base;
  } while (magnitude);
  for (int i = 0; i < count; ++i) digits[i] = reversed[count - 1 - i];
  digits[count] = 0;
  const char* sign = negative ? "-" : form.plus ? "+" : form.space ? " " : "";
  putField(out, form, sign, digits, count);
}

int formatInto(LPWSTR buffer, size_t count, LPCWSTR format, va_list arguments) {
  BoundedWriter out(buffer, count);
  for (LPCWSTR p = format; *p; ++p) {
    if (*p != u'%') {
      out.put(*p);
      continue;
    }
    FieldFormat form;
    for (++p;; ++p) {
      if (*p == u'-')
        form.left = true;
      else if (*p == u'+')
        form.plus = true;
      else if (*p == u' ')
        form.space = true;
      else if (*p == u'0')
        form.zero = true;
      else
        break;
    }
    while (*p >= u'0' && *p <= u'9') form.width = form.width * 10 + (*p++ - u'0');
    if (form.width > 4096) form.width = 4096;
    // The phone's int and long are both 32 bits wide.
    while (*p == u'l' || *p == u'h') ++p;
    switch (*p) {
      case u'd':
      case u'i': {
        long long value = va_arg(arguments, int);
        putNumber(out, form, value < 0, value < 0 ? (unsigned long long)(-value) : (unsigned long long)value, 10);
        break;
      }
      case u'u':
        putNumber(out, form, false, va_arg(arguments, unsigned), 10);
        break;
      case u'x':
        putNumber(out, form, false, va_arg(arguments, unsigned), 16);
        break;
      case u'c': {
        WCHAR unit[2] = {WCHAR(va_arg(arguments, int)), 0};
        FieldFormat text = form;
        text.zero = false;
        putField(out, text, "", unit, 1);
        break;
      }
      case u's': {
        LPCWSTR text = va_arg(arguments, LPCWSTR);
        if (!text) text = u"(null)";
        FieldFormat field = form;
        field.zero = false;
        putField(out, field, "", text, lstrlenW(text));
        break;
      }
      case u'%':
        out.put(u'%');
        break;
      case 0:
        // A lone '%' at the end is kept as it stands.
        out.put(u'%');
        return out.finish();
      default:
        // Unknown conversions are copied, not guessed at.
        out.put(u'%');
        out.put(*p);
        break;
    }
  }
  return out.finish();
}

}  // namespace

int lstrlenW(LPCWSTR text) {
  if (!text) return 0;
  int length = 0;
  while (text[length]) ++length;
  return length;
}

LPWSTR lstrcpyW(LPWSTR dst, LPCWSTR src) {
  if (!dst || !src) return nullptr;
  LPWSTR out = dst;
  while ((*out++ = *src++)) {
  }
  return dst;
}

LPWSTR lstrcpynW(LPWSTR dst, LPCWSTR src, int maxCount) {
  if (!dst || !src || maxCount <= 0) return dst;
  int i = 0;
  for (; i < maxCount - 1 && src[i]; ++i) dst[i] = src[i];
  dst[i] = 0;
  return dst;
}

LPWSTR lstrcatW(LPWSTR dst, LPCWSTR src) {
  if (!dst || !src) return nullptr;
  lstrcpyW(dst + lstrlenW(dst), src);
  return dst;
}

int lstrcmpW(LPCWSTR a, LPCWSTR b) {
  if (!a || !b) return a == b ? 0 : a ? 1 : -1;
  while (*a && *a == *b) ++a, ++b;
  return *a < *b ? -1 : *a > *b ? 1 : 0;
}

int StringCchPrintfW(LPWSTR buffer, size_t bufferCount, LPCWSTR format, ...) {
  if (!buffer || bufferCount == 0) return -1;
  if (!format) {
    buffer[0] = 0;
    return -1;
  }
  va_list arguments;
  va_start(arguments, format);
  int written = formatInto(buffer, bufferCount, format, arguments);
  va_end(arguments);
  return written;
}

int StringCchCopyW(LPWSTR buffer, size_t bufferCount, LPCWSTR source) {
  if (!buffer || bufferCount == 0) return -1;
  BoundedWriter out(buffer, bufferCount);
  if (source) out.put(source);
  return out.finish() < 0 ? -1 : 0;
}

int StringCchCatW(LPWSTR buffer, size_t bufferCount, LPCWSTR source) {
  if (!buffer || bufferCount == 0) return -1;
  size_t length = 0;
  while (length < bufferCount && buffer[length]) ++length;
  // A buffer without a terminator inside its count is not a string to add to.
  if (length == bufferCount) return -1;
  return StringCchCopyW(buffer + length, bufferCount - length, source);
}
