#include "e2e/driver/Waiting.h"

namespace e2e {

DriverError::DriverError(const std::wstring& message) : std::runtime_error(Narrow(message)) {}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring Quoted(const std::wstring& text) {
  std::wstring out = L"\"";
  for (const wchar_t c : text) {
    switch (c) {
      case L'\n':
        out += L"\\n";
        break;
      case L'\r':
        out += L"\\r";
        break;
      case L'\t':
        out += L"\\t";
        break;
      case L'"':
        out += L"\\\"";
        break;
      case L'\\':
        out += L"\\\\";
        break;
      default:
        out += c;
    }
  }
  return out + L"\"";
}

void WaitUntil(const std::wstring& expected, const std::function<bool()>& condition,
               const std::function<std::wstring()>& seen, Milliseconds timeout) {
  WaitFor<bool>(
      expected,
      [&]() -> std::optional<bool> { return condition() ? std::optional(true) : std::nullopt; },
      seen, timeout);
}

bool CameTrueWithin(Milliseconds timeout, const std::function<bool()>& condition) {
  const auto deadline = Clock::now() + timeout;
  for (int look = 0;; ++look) {
    if (condition()) return true;
    if (Clock::now() >= deadline) return false;
    Sleep(look < 50 ? 1 : 15);
  }
}

}  // namespace e2e
