// Arithmetic formulas parsed once into a tree and evaluated many times with different variable values.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

namespace orvella {

namespace messages {
inline constexpr const char* kFloatDivisionByZero = "Floating point division by zero";
inline constexpr const char* kFloatInvalidOperation = "Invalid floating point operation";
inline constexpr const char* kFloatOverflow = "Floating point overflow";
inline constexpr const char* kNotAFloat = "'%s' is not a valid floating point value";
inline constexpr const char* kWrongNumber = "Wrong number.";
inline constexpr const char* kFormulaNotValid = "The formula is not valid";
inline constexpr const char* kNoVariableValue = "No value given for the variable '%s'";
}  // namespace messages

// Parses a formula when it is set (never raising: a faulty formula leaves no tree) and evaluates the
// tree in extended precision. Floating-point faults are detected and raised as Error; the tree survives.
//
// The formula is scanned in its Windows-1250 byte form: names start with a letter, "_" or "ż" and go on
// over digits, the bytes 0x41..0x9F and "ż", so "x^2" is one name. A sign is accepted only at the start
// of an expression and covers its whole first product; a "-" right before a digit there is part of the
// number ("-2^2" is 4). The exponent of "^" is a single number or variable, optionally in parentheses.
class TCalcExpress {
 public:
  // Token and node kinds share one numbering.
  enum Kind : int {
    kEnd = 0,
    kOpen = 1,
    kClose = 2,
    kAdd = 3,
    kSubtract = 4,
    kMultiply = 5,
    kDivide = 6,
    kNumber = 7,
    kVariable = 8,
    kNegate = 9,
    kCos = 10,
    kSin = 11,
    kTg = 12,
    kCtg = 13,
    kAbs = 14,
    kSgn = 15,
    kSqrt = 16,
    kLn = 17,
    kExp = 18,
    kArcsin = 19,
    kArccos = 20,
    kArctg = 21,
    kArcctg = 22,
    kSh = 23,
    kCh = 24,
    kTh = 25,
    kCth = 26,
    kHeaviside = 27,
    kPower = 31,
  };

  // One operator, function call, number or variable. Text: the literal for a number, the variable's
  // index in decimal, the function's name, empty otherwise. Binary operators use both children (left
  // operand first); functions and the negation use the first only.
  struct Node {
    int kind = kEnd;
    QString text;
    std::unique_ptr<Node> first;
    std::unique_ptr<Node> second;
    ~Node();  // releases deep trees without deep recursion
  };

  // Deeper nesting of parentheses and function calls makes a formula invalid (it would exhaust the stack).
  static constexpr int kMaxNesting = 2000;

  // The separator of decimal fractions, by default the user's locale's.
  explicit TCalcExpress(QChar decimalSeparator = systemDecimalSeparator());
  ~TCalcExpress();
  TCalcExpress(const TCalcExpress&) = delete;
  TCalcExpress& operator=(const TCalcExpress&) = delete;
  TCalcExpress(TCalcExpress&&) noexcept;
  TCalcExpress& operator=(TCalcExpress&&) noexcept;

  static QChar systemDecimalSeparator();

  // The formula as last set, with A..Z lowered.
  const QString& formula() const { return formula_; }
  // Parses at once; never raises.
  void setFormula(const QString& formula);

  const QStringList& variables() const { return variables_; }
  // One name per entry; the formula is parsed again so that variable indices follow the list.
  void setVariables(const QStringList& names);

  QChar decimalSeparator() const { return separator_; }
  void setDecimalSeparator(QChar separator);  // parses the formula again

  // True when the last parse gave a tree.
  bool isValid() const { return root_ != nullptr; }
  // Why the last parse failed: "Wrong number." for a malformed number, a short note for an unknown
  // name, a stray character or too deep nesting, empty for other syntax errors.
  const QString& errorMessage() const { return errorMessage_; }
  const Node* root() const { return root_.get(); }

  // One value per entry of variables(), in the same order. Raises Error for an invalid formula, a
  // variable without a value and floating-point faults.
  long double Evaluate(std::span<const long double> values = {}) const;
  long double Evaluate(std::initializer_list<long double> values) const;
  long double Evaluate(const std::vector<long double>& values) const {
    return Evaluate(std::span<const long double>(values));
  }

 private:
  struct Instruction;

  void parse();
  void compile();
  template <bool kChecked>
  long double run(const long double* values, long double* stack) const;

  bool error_ = false;
  QString errorMessage_;
  QString formula_;
  std::unique_ptr<Node> root_;
  QStringList variables_;
  QChar separator_;

  // The tree flattened into postfix order, so evaluation is one loop over a value stack.
  std::vector<Instruction> program_;
  std::vector<QString> badLiterals_;  // literals beyond the extended range, for the conversion message
  int stackSize_ = 0;
  int highestVariable_ = -1;
};

}  // namespace orvella
