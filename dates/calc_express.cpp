// Parsing formulas into a tree, flattening the tree into postfix order and evaluating it with fault checks.
#include "dates/calc_express.h"

#include <locale.h>
#include <QLocale>
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>

#include "dates/text_utils.h"
#include "platform/settings/windows1250.h"
#include "platform/errors/error.h"

namespace orvella {

using Node = TCalcExpress::Node;

struct TCalcExpress::Instruction {
  int op = kEnd;
  int index = 0;  // variable index, or the entry of badLiterals_
  long double value = 0;
};

namespace {

// Operations of the postfix program. The topmost value lives in an accumulator; a binary operation whose
// right operand is a number or a variable takes it from the instruction instead of the stack.
enum Op : int {
  kPushNumber,
  kPushVariable,
  kBadLiteral,  // a literal beyond the extended range; index: its entry of badLiterals_
  kAddStack,
  kAddVariable,
  kAddNumber,
  kSubtractStack,
  kSubtractVariable,
  kSubtractNumber,
  kMultiplyStack,
  kMultiplyVariable,
  kMultiplyNumber,
  kDivideStack,
  kDivideVariable,
  kDivideNumber,
  kPowerVariable,
  kPowerNumber,
  kWholePower,  // a whole literal exponent other than 0, in index
  kNegateTop,
  kCosTop,
  kSinTop,
  kTgTop,
  kCtgTop,
  kAbsTop,
  kSgnTop,
  kSqrtTop,
  kLnTop,
  kExpTop,
  kArcsinTop,
  kArccosTop,
  kArctgTop,
  kArcctgTop,
  kShTop,
  kChTop,
  kThTop,
  kCthTop,
  kHeavisideTop,
};

// The three forms of each binary node kind, in the order stack, variable, number.
Op binaryOp(int kind) {
  switch (kind) {
    case TCalcExpress::kAdd:
      return kAddStack;
    case TCalcExpress::kSubtract:
      return kSubtractStack;
    case TCalcExpress::kMultiply:
      return kMultiplyStack;
    case TCalcExpress::kDivide:
      return kDivideStack;
    default:
      return kPowerVariable;  // powers always have a number or a variable on the right
  }
}
Op unaryOp(int kind) { return static_cast<Op>(kNegateTop + (kind - TCalcExpress::kNegate)); }

struct FunctionName {
  const char* name;
  int kind;
};
constexpr FunctionName kFunctions[] = {
    {"cos", TCalcExpress::kCos},
    {"sin", TCalcExpress::kSin},
    {"tg", TCalcExpress::kTg},
    {"ctg", TCalcExpress::kCtg},
    {"abs", TCalcExpress::kAbs},
    {"sgn", TCalcExpress::kSgn},
    {"sign", TCalcExpress::kSgn},
    {"sqrt", TCalcExpress::kSqrt},
    {"ln", TCalcExpress::kLn},
    {"exp", TCalcExpress::kExp},
    {"arcsin", TCalcExpress::kArcsin},
    {"arccos", TCalcExpress::kArccos},
    {"arctg", TCalcExpress::kArctg},
    {"arcctg", TCalcExpress::kArcctg},
    {"sh", TCalcExpress::kSh},
    {"ch", TCalcExpress::kCh},
    {"th", TCalcExpress::kTh},
    {"cth", TCalcExpress::kCth},
    {"heaviside", TCalcExpress::kHeaviside},
    {"h", TCalcExpress::kHeaviside},
};

bool isFunctionKind(int kind) { return kind >= TCalcExpress::kCos && kind <= TCalcExpress::kHeaviside; }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool startsName(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == 0xBF;
}
bool continuesName(unsigned char c) { return isDigit(c) || (c >= 0x41 && c <= 0x9F) || c == 0xBF; }

// Raised inside the parser; the formula then has no tree.
struct ParseFault {
  QString message;
};

class Parser {
 public:
  Parser(const QByteArray& text, int separator, const QStringList& variables)
      : s_(text), separator_(separator), variables_(variables) {}

  std::unique_ptr<Node> parseFormula() { return expression(); }
  int depth() const { return depth_; }

 private:
  // Reads one token into kind_ and text_.
  void next() {
    const int length = static_cast<int>(s_.size());
    while (pos_ < length && s_[pos_] == ' ') ++pos_;
    if (pos_ >= length) {
      // The remembered kinds stay as they were at the end of the text.
      kind_ = TCalcExpress::kEnd;
      return;
    }
    prevKind_ = lastKind_;
    const auto c = static_cast<unsigned char>(s_[pos_]);
    const auto after = pos_ + 1 < length ? static_cast<unsigned char>(s_[pos_ + 1]) : 0;
    switch (c) {
      case '(':
        kind_ = TCalcExpress::kOpen;
        ++pos_;
        break;
      case ')':
        kind_ = TCalcExpress::kClose;
        ++pos_;
        break;
      case '+':
        kind_ = TCalcExpress::kAdd;
        ++pos_;
        break;
      case '*':
        kind_ = TCalcExpress::kMultiply;
        ++pos_;
        break;
      case '/':
        kind_ = TCalcExpress::kDivide;
        ++pos_;
        break;
      case '^':
        kind_ = TCalcExpress::kPower;
        ++pos_;
        break;
      case '-':
        // A minus at the start of an expression right before a digit belongs to the number.
        if (isDigit(after) && lastKind_ < TCalcExpress::kClose) {
          readNumber();
        } else {
          kind_ = TCalcExpress::kSubtract;
          ++pos_;
        }
        break;
      default:
        if (isDigit(c)) {
          readNumber();
        } else if (startsName(c)) {
          readName();
        } else {
          throw ParseFault{QStringLiteral("Unexpected character '%1'").arg(windows1250::decodeByte(c))};
        }
    }
    lastKind_ = kind_;
  }

  void readNumber() {
    const int length = static_cast<int>(s_.size());
    const int start = pos_;
    if (s_[pos_] == '-') ++pos_;
    auto digits = [&] {
      const int from = pos_;
      while (pos_ < length && isDigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
      return pos_ > from;
    };
    auto wrong = [] { throw ParseFault{QString::fromLatin1(messages::kWrongNumber)}; };
    digits();
    if (pos_ < length && static_cast<unsigned char>(s_[pos_]) == separator_) {
      ++pos_;
      if (!digits()) wrong();
    }
    if (pos_ < length && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
      ++pos_;
      if (pos_ >= length) wrong();
      if (s_[pos_] == '+' || s_[pos_] == '-') ++pos_;
      if (!digits()) wrong();
    }
    kind_ = TCalcExpress::kNumber;
    text_.clear();
    for (int i = start; i < pos_; ++i) text_.append(windows1250::decodeByte(static_cast<unsigned char>(s_[i])));
  }

  void readName() {
    const int length = static_cast<int>(s_.size());
    const int start = pos_;
    ++pos_;
    while (pos_ < length && continuesName(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    const QByteArray name = s_.mid(start, pos_ - start);
    for (const FunctionName& f : kFunctions) {
      if (name == f.name) {
        kind_ = f.kind;
        text_ = QString::fromLatin1(f.name);
        return;
      }
    }
    QString decoded;
    for (char byte : name) decoded.append(windows1250::decodeByte(static_cast<unsigned char>(byte)));
    int index = -1;
    for (int i = 0; i < variables_.size(); ++i) {
      if (QString::compare(variables_[i], decoded, Qt::CaseInsensitive) == 0) {
        index = i;
        break;
      }
    }
    if (index < 0) throw ParseFault{QStringLiteral("Unknown variable '%1'").arg(decoded)};
    kind_ = TCalcExpress::kVariable;
    text_ = QString::number(index);
  }

  static std::unique_ptr<Node> makeNode(int kind, QString text = {}, std::unique_ptr<Node> first = {},
                                        std::unique_ptr<Node> second = {}) {
    auto node = std::make_unique<Node>();
    node->kind = kind;
    node->text = std::move(text);
    node->first = std::move(first);
    node->second = std::move(second);
    return node;
  }

  [[noreturn]] static void syntaxError() { throw ParseFault{}; }

  void enterParentheses() {
    if (++depth_ > TCalcExpress::kMaxNesting) throw ParseFault{QStringLiteral("Formula nested too deeply")};
  }

  // term { ("+" | "-") term }, ending at the end of the text or at ")".
  std::unique_ptr<Node> expression() {
    std::unique_ptr<Node> tree = term();
    for (;;) {
      if (kind_ == TCalcExpress::kAdd || kind_ == TCalcExpress::kSubtract) {
        const int op = kind_;
        std::unique_ptr<Node> right = term();
        tree = makeNode(op, {}, std::move(tree), std::move(right));
      } else if (kind_ == TCalcExpress::kEnd) {
        return tree;
      } else if (kind_ == TCalcExpress::kClose) {
        --depth_;
        return tree;
      } else {
        syntaxError();
      }
    }
  }

  // [sign] factor { ("*" | "/") factor }; the sign only at the start of an expression.
  std::unique_ptr<Node> term() {
    next();
    bool negate = false;
    if (prevKind_ < TCalcExpress::kClose) {
      if (kind_ == TCalcExpress::kSubtract) {
        negate = true;
        next();
      }
      if (kind_ == TCalcExpress::kAdd) next();
    }
    std::unique_ptr<Node> tree = factor();
    while (kind_ == TCalcExpress::kMultiply || kind_ == TCalcExpress::kDivide) {
      const int op = kind_;
      next();
      std::unique_ptr<Node> right = factor();
      tree = makeNode(op, {}, std::move(tree), std::move(right));
    }
    if (negate) tree = makeNode(TCalcExpress::kNegate, {}, std::move(tree));
    return tree;
  }

  // ( "(" expression | function "(" expression | number | variable ) { "^" exponent }
  std::unique_ptr<Node> factor() {
    std::unique_ptr<Node> tree;
    if (kind_ == TCalcExpress::kOpen) {
      enterParentheses();
      tree = expression();
    } else if (kind_ == TCalcExpress::kNumber || kind_ == TCalcExpress::kVariable) {
      tree = makeNode(kind_, text_);
    } else if (isFunctionKind(kind_)) {
      const int function = kind_;
      QString name = text_;
      next();
      if (kind_ != TCalcExpress::kOpen) syntaxError();
      enterParentheses();
      std::unique_ptr<Node> argument = expression();
      tree = makeNode(function, std::move(name), std::move(argument));
    } else {
      syntaxError();
    }
    next();
    while (kind_ == TCalcExpress::kPower) {
      next();
      const bool wrapped = kind_ == TCalcExpress::kOpen;
      if (wrapped) next();
      if (kind_ != TCalcExpress::kNumber && kind_ != TCalcExpress::kVariable) syntaxError();
      std::unique_ptr<Node> exponent = makeNode(kind_, text_);
      if (wrapped) {
        next();
        if (kind_ != TCalcExpress::kClose) syntaxError();
      }
      tree = makeNode(TCalcExpress::kPower, {}, std::move(tree), std::move(exponent));
      next();
    }
    return tree;
  }

  const QByteArray& s_;
  const int separator_;
  const QStringList& variables_;
  int pos_ = 0;
  int depth_ = 0;
  int prevKind_ = TCalcExpress::kEnd;
  int lastKind_ = TCalcExpress::kEnd;
  int kind_ = TCalcExpress::kEnd;
  QString text_;
};

// Converts a literal as the number reader accepted it: [-]digits[separator digits][e[sign]digits].
long double literalValue(const QString& literal, QChar separator, bool* outOfRange) {
  QByteArray text = literal.toLatin1();
  qsizetype i = 0;
  if (i < literal.size() && literal[i] == QLatin1Char('-')) ++i;
  while (i < literal.size() && literal[i] >= QLatin1Char('0') && literal[i] <= QLatin1Char('9')) ++i;
  if (i < literal.size() && literal[i] == separator) text[i] = '.';
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  const long double value = strtold_l(text.constData(), nullptr, cLocale);
  *outOfRange = std::isinf(value);
  return value;
}

constexpr int kFaults = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

// Whether a division by zero, an invalid operation or an overflow has set its status flag.
inline bool faultFlagsUp() {
#if defined(__x86_64__)
  // Read in place: the library call costs as much as a short formula. Both units share the bit layout.
  unsigned short x87;
  unsigned int sse;
  __asm__ volatile("fnstsw %0" : "=am"(x87) : : "memory");
  __asm__ volatile("stmxcsr %0" : "=m"(sse) : : "memory");
  return ((x87 | sse) & kFaults) != 0;
#else
  return std::fetestexcept(kFaults) != 0;
#endif
}

[[noreturn]] void raise(const char* message) { throw Error(QString::fromLatin1(message)); }

// Each operation comes twice: checked, raising the first fault as it happens, and raw, for the fast
// pass that leaves the detection to the floating-point status flags. Every fault of the checked form
// sets one of the flags in the raw form (divide by zero, invalid, overflow), so a raw pass that ends
// with clear flags has met no fault.

// A result that is not finite: NaN is an invalid operation, infinity from finite operands an overflow.
long double checkedSlow(long double result, long double a, long double b) {
  if (std::isnan(result)) raise(messages::kFloatInvalidOperation);
  if (std::isfinite(a) && std::isfinite(b)) raise(messages::kFloatOverflow);
  return result;
}
template <bool kChecked>
inline long double checked(long double result, long double a, long double b = 0) {
  if constexpr (kChecked) {
    if (__builtin_expect(!std::isfinite(result), 0)) return checkedSlow(result, a, b);
  }
  return result;
}

// NaN operands: the checked form raises; in the raw form the operations that compare would swallow a NaN,
// so they hand it on for the final test of the result to see.
template <bool kChecked>
inline bool passesNaN(long double x) {
  if constexpr (kChecked) {
    if (std::isnan(x)) raise(messages::kFloatInvalidOperation);
    return false;
  } else {
    return std::isnan(x);
  }
}

template <bool kChecked>
inline void rejectNaN(long double x) {
  if constexpr (kChecked) {
    if (std::isnan(x)) raise(messages::kFloatInvalidOperation);
  }
}

template <bool kChecked>
[[gnu::always_inline]] inline long double divide(long double a, long double b) {
  if constexpr (kChecked) {
    if (b == 0) {
      if (a == 0 || std::isnan(a)) raise(messages::kFloatInvalidOperation);
      if (std::isfinite(a)) raise(messages::kFloatDivisionByZero);
    }
  }
  return checked<kChecked>(a / b, a, b);
}

template <bool kChecked>
long double naturalLog(long double x) {
  if constexpr (kChecked) {
    rejectNaN<kChecked>(x);
    if (x == 0) raise(messages::kFloatDivisionByZero);
    if (x < 0) raise(messages::kFloatInvalidOperation);
  }
  return logl(x);
}

template <bool kChecked>
long double exponential(long double x) {
  return checked<kChecked>(expl(x), x);
}

// x to a whole power by repeated squaring; a negative power gives the reciprocal.
template <bool kChecked>
[[gnu::always_inline]] inline long double wholePower(long double x, long long n) {
  unsigned long long remaining =
      n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
  long double result = 1;
  long double base = x;
  for (;;) {
    if (remaining & 1) result = checked<kChecked>(result * base, result, base);
    remaining >>= 1;
    if (remaining == 0) break;
    base = checked<kChecked>(base * base, base);
  }
  if (n < 0) return divide<kChecked>(1, result);
  return result;
}

template <bool kChecked>
long double power(long double x, long double y) {
  if (passesNaN<kChecked>(x)) return x;
  if (passesNaN<kChecked>(y)) return y;
  if (y == 0) return 1;
  if (x == 0 && y > 0) return 0;
  if (std::isfinite(y) && truncl(y) == y && fabsl(y) <= 2147483647.0L)
    return wholePower<kChecked>(x, static_cast<long long>(y));
  const long double logarithm = naturalLog<kChecked>(x);
  const long double product = checked<kChecked>(y * logarithm, y, logarithm);
  return exponential<kChecked>(product);
}

// The same for an exponent known when parsing: a whole number other than 0.
template <bool kChecked>
[[gnu::always_inline]] inline long double power(long double x, int n) {
  rejectNaN<kChecked>(x);
  if (x == 0 && n > 0) return 0;
  return wholePower<kChecked>(x, n);
}

constexpr long double kTwoTo63 = 9223372036854775808.0L;
constexpr long double kHalfPi = std::numbers::pi_v<long double> / 2;

template <bool kChecked>
long double cosine(long double x) {
  rejectNaN<kChecked>(x);
  return fabsl(x) >= kTwoTo63 ? 0 : cosl(x);
}
template <bool kChecked>
long double sine(long double x) {
  rejectNaN<kChecked>(x);
  return fabsl(x) >= kTwoTo63 ? 0 : sinl(x);
}
template <bool kChecked>
long double tangent(long double x) {
  return checked<kChecked>(tanl(x), x);
}
template <bool kChecked>
long double cotangent(long double x) {
  const long double t = tangent<kChecked>(x);
  if constexpr (kChecked) {
    if (t == 0) raise(messages::kFloatDivisionByZero);
  }
  return checked<kChecked>(1 / t, t);
}
template <bool kChecked>
long double sign(long double x) {
  if (passesNaN<kChecked>(x)) return x;
  return x < 0 ? -1 : (x > 0 ? 1 : 0);
}
template <bool kChecked>
long double squareRoot(long double x) {
  if constexpr (kChecked) {
    rejectNaN<kChecked>(x);
    if (x < 0) raise(messages::kFloatInvalidOperation);
  }
  return sqrtl(x);
}
template <bool kChecked>
long double arcSine(long double x) {
  if constexpr (kChecked) {
    rejectNaN<kChecked>(x);
    if (fabsl(x) > 1) raise(messages::kFloatInvalidOperation);
  }
  return asinl(x);
}
template <bool kChecked>
long double arcCosine(long double x) {
  if constexpr (kChecked) {
    rejectNaN<kChecked>(x);
    if (fabsl(x) > 1) raise(messages::kFloatInvalidOperation);
  }
  return acosl(x);
}
template <bool kChecked>
long double hyperbolic(int kind, long double x) {
  const long double up = exponential<kChecked>(x);
  const long double down = exponential<kChecked>(-x);
  switch (kind) {
    case TCalcExpress::kSh:
      return checked<kChecked>((up - down) / 2, up, down);
    case TCalcExpress::kCh:
      return checked<kChecked>((up + down) / 2, up, down);
    case TCalcExpress::kTh:
      return divide<kChecked>(up - down, up + down);
    default:
      return divide<kChecked>(up + down, up - down);
  }
}
template <bool kChecked>
long double heaviside(long double x) {
  if (passesNaN<kChecked>(x)) return x;
  return x >= 0 ? 1 : 0;
}

}  // namespace

Node::~Node() {
  // A long chain such as 1+1+...+1 is a deep left spine; take it apart with a work list instead of
  // letting each child's destructor recurse.
  std::vector<std::unique_ptr<Node>> pending;
  if (first) pending.push_back(std::move(first));
  if (second) pending.push_back(std::move(second));
  while (!pending.empty()) {
    std::unique_ptr<Node> node = std::move(pending.back());
    pending.pop_back();
    if (node->first) pending.push_back(std::move(node->first));
    if (node->second) pending.push_back(std::move(node->second));
  }
}

TCalcExpress::TCalcExpress(QChar decimalSeparator) : separator_(decimalSeparator) {
  setFormula(QStringLiteral("0"));
}
TCalcExpress::~TCalcExpress() = default;
TCalcExpress::TCalcExpress(TCalcExpress&&) noexcept = default;
TCalcExpress& TCalcExpress::operator=(TCalcExpress&&) noexcept = default;

QChar TCalcExpress::systemDecimalSeparator() {
  const QString point = QLocale::system().decimalPoint();
  return point.size() == 1 ? point.front() : QLatin1Char('.');
}

void TCalcExpress::setFormula(const QString& formula) {
  formula_ = lowerAsciiLetters(formula);
  parse();
}

void TCalcExpress::setVariables(const QStringList& names) {
  variables_ = names;
  parse();
}

void TCalcExpress::setDecimalSeparator(QChar separator) {
  separator_ = separator;
  parse();
}

void TCalcExpress::parse() {
  root_.reset();
  program_.clear();
  badLiterals_.clear();
  error_ = false;
  errorMessage_.clear();

  QByteArray bytes;
  bytes.reserve(formula_.size());
  for (QChar c : formula_) bytes.append(static_cast<char>(windows1250::encodeChar(c)));
  const unsigned char separatorByte = windows1250::encodeChar(separator_);
  // A separator the code page cannot hold never matches (the byte '?' stands for such characters).
  const int separator = separatorByte == '?' && separator_ != QLatin1Char('?') ? -1 : separatorByte;

  Parser parser(bytes, separator, variables_);
  std::unique_ptr<Node> tree;
  try {
    tree = parser.parseFormula();
  } catch (const ParseFault& fault) {
    error_ = true;
    errorMessage_ = fault.message;
  }
  if (error_ || parser.depth() != 0) {
    error_ = true;
    return;
  }
  root_ = std::move(tree);
  compile();
}

void TCalcExpress::compile() {
  // Post-order walk with an explicit stack: chains of operators make trees far deeper than the nesting.
  struct Frame {
    const Node* node;
    int visited;
  };
  std::vector<Frame> frames{{root_.get(), 0}};
  highestVariable_ = -1;
  while (!frames.empty()) {
    Frame& frame = frames.back();
    const Node* node = frame.node;
    if (frame.visited == 0 && node->first) {
      frame.visited = 1;
      frames.push_back({node->first.get(), 0});
      continue;
    }
    if (frame.visited <= 1 && node->second) {
      frame.visited = 2;
      frames.push_back({node->second.get(), 0});
      continue;
    }
    frames.pop_back();
    Instruction instruction;
    switch (node->kind) {
      case kNumber: {
        bool outOfRange = false;
        instruction.op = kPushNumber;
        instruction.value = literalValue(node->text, separator_, &outOfRange);
        if (outOfRange) {
          instruction.op = kBadLiteral;
          instruction.index = static_cast<int>(badLiterals_.size());
          badLiterals_.push_back(node->text);
        }
        break;
      }
      case kVariable:
        instruction.op = kPushVariable;
        instruction.index = node->text.toInt();
        highestVariable_ = std::max(highestVariable_, instruction.index);
        break;
      case kAdd:
      case kSubtract:
      case kMultiply:
      case kDivide:
      case kPower: {
        // The right operand's code ends the program so far; a lone push folds into the operation.
        Instruction& last = program_.back();
        const Op op = binaryOp(node->kind);
        if (node->kind == kPower && last.op == kPushNumber && last.value != 0 &&
            truncl(last.value) == last.value && fabsl(last.value) <= 2147483647.0L) {
          last = Instruction{kWholePower, static_cast<int>(last.value), 0};
        } else if (last.op == kPushVariable) {
          last.op = node->kind == kPower ? kPowerVariable : op + 1;
        } else if (last.op == kPushNumber) {
          last.op = node->kind == kPower ? kPowerNumber : op + 2;
        } else {
          instruction.op = op;
          break;
        }
        continue;
      }
      default:
        instruction.op = unaryOp(node->kind);
        break;
    }
    program_.push_back(instruction);
  }
  // Each push saves the accumulator on the stack.
  int depth = 0;
  stackSize_ = 0;
  for (const Instruction& in : program_) {
    if (in.op == kPushNumber || in.op == kPushVariable || in.op == kBadLiteral) {
      stackSize_ = std::max(stackSize_, ++depth);
    } else if (in.op == kAddStack || in.op == kSubtractStack || in.op == kMultiplyStack ||
               in.op == kDivideStack) {
      --depth;
    }
  }
}

long double TCalcExpress::Evaluate(std::initializer_list<long double> values) const {
  return Evaluate(std::span<const long double>(values.begin(), values.size()));
}

long double TCalcExpress::Evaluate(std::span<const long double> values) const {
  if (!root_) raise(messages::kFormulaNotValid);
  if (highestVariable_ >= static_cast<long long>(values.size())) {
    for (const Instruction& in : program_) {
      if ((in.op == kPushVariable || in.op == kAddVariable || in.op == kSubtractVariable ||
           in.op == kMultiplyVariable || in.op == kDivideVariable || in.op == kPowerVariable) &&
          in.index >= static_cast<long long>(values.size()))
        throw Error(
            formatMessage(QString::fromLatin1(messages::kNoVariableValue), variables_.value(in.index)));
    }
  }

  constexpr int kLocalStack = 64;
  long double local[kLocalStack];
  std::unique_ptr<long double[]> heap;
  long double* stack = local;
  if (stackSize_ > kLocalStack) {
    heap = std::make_unique<long double[]>(stackSize_);
    stack = heap.get();
  }

  const long double result = run<false>(values.data(), stack);
  if (!faultFlagsUp() && !std::isnan(result)) return result;
  // Something raised a flag (or the flags were up before): the checked pass finds the first fault.
  std::feclearexcept(kFaults);
  struct ClearFlags {
    ~ClearFlags() { std::feclearexcept(kFaults); }
  } clearFlags;
  return run<true>(values.data(), stack);
}

// Kept out of line so that no floating-point operation of the pass can be moved past the flag test.
template <bool kChecked>
[[gnu::noinline]] long double TCalcExpress::run(const long double* value, long double* stack) const {
  long double top = 0;         // the topmost value
  long double* saved = stack;  // one past the values below it
  for (const Instruction& in : program_) {
    switch (in.op) {
      case kPushNumber:
        *saved++ = top;
        top = in.value;
        break;
      case kPushVariable:
        *saved++ = top;
        top = value[in.index];
        break;
      case kBadLiteral:
        throw Error(formatMessage(QString::fromLatin1(messages::kNotAFloat), badLiterals_[in.index]));
      case kAddStack: {
        const long double a = *--saved;
        top = checked<kChecked>(a + top, a, top);
        break;
      }
      case kAddVariable: {
        const long double b = value[in.index];
        top = checked<kChecked>(top + b, top, b);
        break;
      }
      case kAddNumber:
        top = checked<kChecked>(top + in.value, top, in.value);
        break;
      case kSubtractStack: {
        const long double a = *--saved;
        top = checked<kChecked>(a - top, a, top);
        break;
      }
      case kSubtractVariable: {
        const long double b = value[in.index];
        top = checked<kChecked>(top - b, top, b);
        break;
      }
      case kSubtractNumber:
        top = checked<kChecked>(top - in.value, top, in.value);
        break;
      case kMultiplyStack: {
        const long double a = *--saved;
        top = checked<kChecked>(a * top, a, top);
        break;
      }
      case kMultiplyVariable: {
        const long double b = value[in.index];
        top = checked<kChecked>(top * b, top, b);
        break;
      }
      case kMultiplyNumber:
        top = checked<kChecked>(top * in.value, top, in.value);
        break;
      case kDivideStack:
        top = divide<kChecked>(*--saved, top);
        break;
      case kDivideVariable:
        top = divide<kChecked>(top, value[in.index]);
        break;
      case kDivideNumber:
        top = divide<kChecked>(top, in.value);
        break;
      case kPowerVariable:
        top = power<kChecked>(top, value[in.index]);
        break;
      case kPowerNumber:
        top = power<kChecked>(top, in.value);
        break;
      case kWholePower:
        top = power<kChecked>(top, in.index);
        break;
      case kNegateTop:
        top = -top;
        break;
      case kCosTop:
        top = cosine<kChecked>(top);
        break;
      case kSinTop:
        top = sine<kChecked>(top);
        break;
      case kTgTop:
        top = tangent<kChecked>(top);
        break;
      case kCtgTop:
        top = cotangent<kChecked>(top);
        break;
      case kAbsTop:
        top = fabsl(top);
        break;
      case kSgnTop:
        top = sign<kChecked>(top);
        break;
      case kSqrtTop:
        top = squareRoot<kChecked>(top);
        break;
      case kLnTop:
        top = naturalLog<kChecked>(top);
        break;
      case kExpTop:
        top = exponential<kChecked>(top);
        break;
      case kArcsinTop:
        top = arcSine<kChecked>(top);
        break;
      case kArccosTop:
        top = arcCosine<kChecked>(top);
        break;
      case kArctgTop:
        top = atanl(top);
        break;
      case kArcctgTop:
        top = kHalfPi - atanl(top);
        break;
      case kShTop:
        top = hyperbolic<kChecked>(kSh, top);
        break;
      case kChTop:
        top = hyperbolic<kChecked>(kCh, top);
        break;
      case kThTop:
        top = hyperbolic<kChecked>(kTh, top);
        break;
      case kCthTop:
        top = hyperbolic<kChecked>(kCth, top);
        break;
      case kHeavisideTop:
        top = heaviside<kChecked>(top);
        break;
      default:
        __builtin_unreachable();  // compile() emits nothing else
    }
  }
  rejectNaN<kChecked>(top);
  return top;
}

}  // namespace orvella
