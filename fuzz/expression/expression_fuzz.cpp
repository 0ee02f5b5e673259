// Any byte string as a formula, parsed and then evaluated with a few variable values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dates/calc_express.h"
#include "platform/errors/error.h"

// Input: one byte of switches (separator, text decoding), three bytes of variable values, the formula.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::uint8_t switches = data[0];
  const long double values[] = {static_cast<std::int8_t>(data[1]) / 8.0L,
                                static_cast<std::int8_t>(data[2]) * 1e3L,
                                static_cast<std::int8_t>(data[3]) / 1e3L, 0};
  const char* text = reinterpret_cast<const char*>(data + 4);
  const auto length = static_cast<qsizetype>(size - 4);
  const QString formula =
      (switches & 2) ? QString::fromUtf8(text, length) : QString::fromLatin1(text, length);

  orvella::TCalcExpress ce((switches & 1) ? QLatin1Char(',') : QLatin1Char('.'));
  ce.setVariables({"x", "y", "z", QString::fromUtf8("żółw")});
  ce.setFormula(formula);
  const bool valid = ce.isValid();
  try {
    ce.Evaluate(std::span<const long double>(values, (switches & 4) ? 2 : 4));
  } catch (const orvella::Error&) {
  }
  if (ce.isValid() != valid) std::abort();
  // A second evaluation of the same tree must behave alike.
  try {
    ce.Evaluate(std::span<const long double>(values, 4));
  } catch (const orvella::Error&) {
  }
  return 0;
}
