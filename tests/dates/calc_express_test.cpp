// The expression evaluator: grammar quirks, numbers under both decimal separators, functions and faults.
#include "dates/calc_express.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <numbers>
#include <optional>

#include "platform/errors/error.h"
#include "tests/dates/qstring_printer.h"

namespace orvella {
namespace {

using Kind = TCalcExpress::Kind;

// Parses with the given variables and returns the value, or nothing for an invalid formula.
std::optional<long double> valueOf(const QString& formula, std::initializer_list<long double> values = {},
                                   const QStringList& variables = {}, QChar separator = QLatin1Char('.')) {
  TCalcExpress ce(separator);
  ce.setVariables(variables);
  ce.setFormula(formula);
  if (!ce.isValid()) return std::nullopt;
  return ce.Evaluate(values);
}

// Equal within a few units of the last place: library functions and constant folding may round apart.
bool closeTo(std::optional<long double> actual, long double expected) {
  return actual && fabsl(*actual - expected) <= 4 * LDBL_EPSILON * std::max(1.0L, fabsl(expected));
}

bool validFormula(const QString& formula, QChar separator = QLatin1Char('.'),
                  const QStringList& variables = {}) {
  TCalcExpress ce(separator);
  ce.setVariables(variables);
  ce.setFormula(formula);
  return ce.isValid();
}

// The message that evaluating a valid formula raises.
QString faultOf(const QString& formula, std::initializer_list<long double> values = {},
                const QStringList& variables = {}) {
  TCalcExpress ce(QLatin1Char('.'));
  ce.setVariables(variables);
  ce.setFormula(formula);
  if (!ce.isValid()) return QStringLiteral("<invalid formula>");
  try {
    ce.Evaluate(values);
  } catch (const Error& e) {
    return e.message();
  }
  return QStringLiteral("<no fault>");
}

// Grammar cases that do not depend on the decimal separator run under both.
class GrammarUnderEitherSeparator : public ::testing::TestWithParam<QChar> {
 protected:
  std::optional<long double> value(const QString& formula, std::initializer_list<long double> values = {},
                                   const QStringList& variables = {}) {
    return valueOf(formula, values, variables, GetParam());
  }
  bool valid(const QString& formula) { return validFormula(formula, GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(Separators, GrammarUnderEitherSeparator,
                         ::testing::Values(QLatin1Char('.'), QLatin1Char(',')),
                         [](const auto& info) { return info.param == QLatin1Char('.') ? "point" : "comma"; });

TEST_P(GrammarUnderEitherSeparator, Precedence) {
  EXPECT_EQ(value("2+3*4"), 14);
  EXPECT_EQ(value("(2+3)*4"), 20);
  EXPECT_EQ(value("8/4/2"), 1);
  EXPECT_EQ(value("10-4-3"), 3);
  EXPECT_EQ(value("2^3^2"), 64);
  EXPECT_EQ(value("2*3^2"), 18);
  EXPECT_EQ(value("abs(1-3)^2"), 4);
  EXPECT_EQ(value("  2 +  3 "), 5);
}

TEST_P(GrammarUnderEitherSeparator, Signs) {
  EXPECT_EQ(value("-2^2"), 4);  // the minus is part of the literal
  EXPECT_EQ(value("-(2)^2"), -4);
  EXPECT_EQ(value("- 2^2"), -4);  // not right before a digit: a sign of the whole term
  EXPECT_EQ(value("-2*3+1"), -5);
  EXPECT_EQ(value("(-3)*2"), -6);
  EXPECT_EQ(value("2-3"), -1);
  EXPECT_EQ(value("(2)-3"), -1);
  EXPECT_EQ(value("+2"), 2);
  EXPECT_EQ(value("-+2"), -2);
  EXPECT_EQ(value("-(-(2))"), 2);
  EXPECT_EQ(value("sin(-0)"), 0);
  EXPECT_FALSE(valid("2*-3"));
  EXPECT_FALSE(valid("1+-2"));
  EXPECT_FALSE(valid("+-2"));
  EXPECT_FALSE(valid("--2"));

  // The sign covers the whole first product of its expression.
  TCalcExpress ce(GetParam());
  ce.setVariables({"x", "y"});
  ce.setFormula("-x*y");
  ASSERT_TRUE(ce.isValid());
  EXPECT_EQ(ce.root()->kind, Kind::kNegate);
  EXPECT_EQ(ce.root()->first->kind, Kind::kMultiply);
  EXPECT_EQ(ce.Evaluate({2, 3}), -6);
  ce.setFormula("-x*y+x");
  EXPECT_EQ(ce.root()->kind, Kind::kAdd);
  EXPECT_EQ(ce.Evaluate({2, 3}), -4);
}

TEST_P(GrammarUnderEitherSeparator, Powers) {
  EXPECT_EQ(value("2^(-1)"), 0.5L);
  EXPECT_EQ(value("2^(-2)"), 0.25L);
  EXPECT_EQ(value("(-2)^3"), -8);
  EXPECT_EQ(value("0^0"), 1);
  EXPECT_EQ(value("0^3"), 0);
  EXPECT_EQ(value("(x)^2", {3}, {"x"}), 9);
  EXPECT_EQ(value("2^x", {10}, {"x"}), 1024);
  EXPECT_EQ(value("2^(x)", {-1}, {"x"}), 0.5L);
  EXPECT_EQ(value("(x)^y", {4, 0}, {"x", "y"}), 1);
  EXPECT_EQ(value("(x)^y", {9, 0.5L}, {"x", "y"}), expl(0.5L * logl(9)));
  EXPECT_EQ(value("(x)^y", {1, 2147483648.0L}, {"x", "y"}), 1);  // beyond the whole-power range: e^(y·ln x)
  EXPECT_EQ(value("(x)^y", {-1, 2147483647}, {"x", "y"}), -1);
  EXPECT_FALSE(valid("2^-1"));
  EXPECT_FALSE(valid("2^(1+1)"));
  EXPECT_FALSE(valid("2^sin(1)"));
  EXPECT_FALSE(valid("2^(1"));
  EXPECT_FALSE(valid("2^"));
}

TEST_P(GrammarUnderEitherSeparator, Functions) {
  constexpr long double pi = std::numbers::pi_v<long double>;
  EXPECT_EQ(value("SIN(0)"), 0);
  EXPECT_EQ(value("cos(0)"), 1);
  EXPECT_EQ(value("h(0)"), 1);
  EXPECT_EQ(value("heaviside(0)"), 1);
  EXPECT_EQ(value("h(-1)"), 0);
  EXPECT_EQ(value("sign(-3)"), -1);
  EXPECT_EQ(value("sgn(0)"), 0);
  EXPECT_EQ(value("sgn(7)"), 1);
  EXPECT_EQ(value("abs(-2)"), 2);
  EXPECT_EQ(value("sqrt(16)"), 4);
  EXPECT_EQ(value("ln(1)"), 0);
  EXPECT_PRED2(closeTo, value("exp(1)"), expl(1));
  EXPECT_PRED2(closeTo, value("tg(1)"), tanl(1));
  EXPECT_PRED2(closeTo, value("ctg(1)"), 1 / tanl(1));
  EXPECT_PRED2(closeTo, value("arcsin(1)"), pi / 2);
  EXPECT_PRED2(closeTo, value("arccos(-1)"), pi);
  EXPECT_PRED2(closeTo, value("arctg(1)"), pi / 4);
  EXPECT_PRED2(closeTo, value("arcctg(1)"), pi / 2 - atanl(1));
  EXPECT_PRED2(closeTo, value("sh(1)"), (expl(1) - expl(-1)) / 2);
  EXPECT_PRED2(closeTo, value("ch(1)"), (expl(1) + expl(-1)) / 2);
  EXPECT_PRED2(closeTo, value("th(1)"), (expl(1) - expl(-1)) / (expl(1) + expl(-1)));
  EXPECT_PRED2(closeTo, value("cth(1)"), (expl(1) + expl(-1)) / (expl(1) - expl(-1)));
  // Beyond the processor's range of the trigonometric instructions the value is 0.
  EXPECT_EQ(value("cos(x)", {9223372036854775808.0L}, {"x"}), 0);
  EXPECT_EQ(value("sin(x)", {-9223372036854775808.0L}, {"x"}), 0);
  EXPECT_PRED2(closeTo, value("cos(x)", {1e6L}, {"x"}), cosl(1e6L));
  EXPECT_FALSE(valid("sin 1"));
  EXPECT_FALSE(valid("sin(1"));
  EXPECT_FALSE(valid("sin()"));
  EXPECT_FALSE(valid("sin"));
}

TEST_P(GrammarUnderEitherSeparator, Structure) {
  EXPECT_FALSE(valid(""));
  EXPECT_FALSE(valid("   "));
  EXPECT_FALSE(valid("((1)"));
  EXPECT_FALSE(valid("(1))"));
  EXPECT_FALSE(valid("1)+(2"));
  EXPECT_FALSE(valid("2 3"));
  EXPECT_FALSE(valid("2(3)"));
  EXPECT_FALSE(valid("()"));
  EXPECT_FALSE(valid("1+"));
  EXPECT_FALSE(valid("*2"));
  for (const char* stray : {"1!", "a=1", "1\t+2", "1 # 2", "1&2", "\xC4\x85"})  // ą starts no name
    EXPECT_FALSE(valid(QString::fromUtf8(stray))) << stray;
}

TEST(ExpressionNames, OneNameSpansDigitsAndTheUpperLetterRange) {
  EXPECT_FALSE(validFormula("x^2", QLatin1Char('.'), {"x"}));  // "x^2" is one name, not a power
  EXPECT_EQ(valueOf("x^2", {5}, {"x^2"}), 5);
  EXPECT_EQ(valueOf("x1+x2", {1, 2}, {"x1", "x2"}), 3);
  EXPECT_EQ(valueOf("_a*2", {4}, {"_a"}), 8);
  EXPECT_EQ(valueOf(QString::fromUtf8("żaba+1"), {1}, {QString::fromUtf8("żaba")}), 2);
  EXPECT_EQ(valueOf(QString::fromUtf8("zś"), {7}, {QString::fromUtf8("zś")}), 7);  // ś is byte 0x9C
  EXPECT_FALSE(validFormula(QString::fromUtf8("zą"), QLatin1Char('.'), {QString::fromUtf8("zą")}));
  // Function names are recognised only when spelled alone.
  EXPECT_EQ(valueOf("sinx", {3}, {"sinx"}), 3);
  EXPECT_FALSE(validFormula("sinx(1)", QLatin1Char('.'), {"sinx"}));
}

TEST(ExpressionNames, VariablesMatchWithoutCaseAndTheFirstLineWins) {
  TCalcExpress ce(QLatin1Char('.'));
  ce.setVariables({"Alpha", "ALPHA", "beta"});
  ce.setFormula("ALPHA-Beta");
  EXPECT_EQ(ce.formula(), "alpha-beta");
  ASSERT_TRUE(ce.isValid());
  EXPECT_EQ(ce.root()->first->text, "0");
  EXPECT_EQ(ce.Evaluate({10, 99, 4}), 6);
}

TEST(ExpressionNames, UnknownNamesInvalidateUntilTheVariablesNameThem) {
  TCalcExpress ce(QLatin1Char('.'));
  ce.setFormula("rate*2");
  EXPECT_FALSE(ce.isValid());
  ce.setVariables({"rate"});
  ASSERT_TRUE(ce.isValid());
  EXPECT_EQ(ce.Evaluate({21}), 42);
  ce.setVariables({"other"});
  EXPECT_FALSE(ce.isValid());
}

class ExpressionNumbers : public ::testing::Test {};

TEST_F(ExpressionNumbers, PointAsSeparator) {
  const QChar point = QLatin1Char('.');
  EXPECT_EQ(valueOf("2.5", {}, {}, point), 2.5L);
  EXPECT_EQ(valueOf("1e3", {}, {}, point), 1000);
  EXPECT_EQ(valueOf("1E3", {}, {}, point), 1000);
  EXPECT_EQ(valueOf("1.5e-3", {}, {}, point), 1.5e-3L);
  EXPECT_EQ(valueOf("2.5e+2", {}, {}, point), 250);
  EXPECT_EQ(valueOf("0.1", {}, {}, point), 0.1L);  // converted in extended precision
  EXPECT_FALSE(validFormula("2,5", point));
  EXPECT_FALSE(validFormula(".5", point));
  EXPECT_FALSE(validFormula("1.2.3", point));
}

TEST_F(ExpressionNumbers, CommaAsSeparator) {
  const QChar comma = QLatin1Char(',');
  EXPECT_EQ(valueOf("2,5", {}, {}, comma), 2.5L);
  EXPECT_EQ(valueOf("-2,5*2", {}, {}, comma), -5);
  EXPECT_EQ(valueOf("1,5e2", {}, {}, comma), 150);
  EXPECT_FALSE(validFormula("2.5", comma));
}

TEST_F(ExpressionNumbers, MalformedNumbersInvalidateWithTheirMessage) {
  struct Case {
    const char* formula;
    QChar separator;
  };
  for (const Case& c :
       {Case{"2,", QLatin1Char(',')}, Case{"2.", QLatin1Char('.')}, Case{"1e", QLatin1Char('.')},
        Case{"1e+", QLatin1Char('.')}, Case{"1e-", QLatin1Char(',')}, Case{"1ex", QLatin1Char('.')},
        Case{"3*(2,)", QLatin1Char(',')}}) {
    TCalcExpress ce(c.separator);
    ce.setFormula(c.formula);
    EXPECT_FALSE(ce.isValid()) << c.formula;
    EXPECT_EQ(ce.errorMessage(), "Wrong number.") << c.formula;
  }
}

TEST_F(ExpressionNumbers, ChangingTheSeparatorParsesAgain) {
  TCalcExpress ce(QLatin1Char('.'));
  ce.setFormula("2,5");
  EXPECT_FALSE(ce.isValid());
  ce.setDecimalSeparator(QLatin1Char(','));
  ASSERT_TRUE(ce.isValid());
  EXPECT_EQ(ce.Evaluate(), 2.5L);
}

TEST_F(ExpressionNumbers, LiteralsBeyondTheExtendedRange) {
  EXPECT_EQ(faultOf("1e5000"), "'1e5000' is not a valid floating point value");
  EXPECT_EQ(valueOf("1e-5000"), 0);
  EXPECT_NEAR(static_cast<double>(*valueOf("1e4000/1e3999")), 10, 1e-12);
}

class ExpressionFaults : public ::testing::Test {};

TEST_F(ExpressionFaults, DivisionByZero) {
  for (const char* formula : {"1/0", "ctg(0)", "cth(0)", "ln(0)", "0^(-1)", "1/(2-2)"})
    EXPECT_EQ(faultOf(formula), "Floating point division by zero") << formula;
  EXPECT_EQ(faultOf("(x)^y", {0, -3}, {"x", "y"}), "Floating point division by zero");
}

TEST_F(ExpressionFaults, InvalidOperation) {
  for (const char* formula : {"0/0", "sqrt(-1)", "ln(-1)", "arcsin(2)", "arccos(-1.5)", "(-8)^0.5"})
    EXPECT_EQ(faultOf(formula), "Invalid floating point operation") << formula;
  const long double inf = INFINITY;
  EXPECT_EQ(faultOf("x-x", {inf}, {"x"}), "Invalid floating point operation");
  EXPECT_EQ(faultOf("x", {NAN}, {"x"}), "Invalid floating point operation");
}

TEST_F(ExpressionFaults, Overflow) {
  for (const char* formula :
       {"exp(20000)", "sh(20000)", "ch(-20000)", "th(20000)", "1e4000*1e4000", "10^5000", "2^0.5*1e4932*10"})
    EXPECT_EQ(faultOf(formula), "Floating point overflow") << formula;
  EXPECT_EQ(faultOf("(x)^y", {2, 2147483647}, {"x", "y"}), "Floating point overflow");
  // Infinite operands are not overflows of their own.
  EXPECT_EQ(valueOf("x+1", {INFINITY}, {"x"}), INFINITY);
}

TEST_F(ExpressionFaults, TheTreeSurvivesAFault) {
  TCalcExpress ce(QLatin1Char('.'));
  ce.setVariables({"x"});
  ce.setFormula("1/x");
  const TCalcExpress::Node* root = ce.root();
  EXPECT_THROW(ce.Evaluate({0}), Error);
  EXPECT_EQ(ce.root(), root);
  EXPECT_EQ(ce.Evaluate({4}), 0.25L);
}

TEST_F(ExpressionFaults, FlagsLeftUpByOtherCodeAreNoFaults) {
  TCalcExpress ce(QLatin1Char('.'));
  ce.setFormula("2*3");
  std::feraiseexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
  EXPECT_EQ(ce.Evaluate(), 6);
  EXPECT_FALSE(std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW));
  ce.setFormula("1/0");
  EXPECT_THROW(ce.Evaluate(), Error);
  ce.setFormula("2*4");
  EXPECT_EQ(ce.Evaluate(), 8);
}

TEST_F(ExpressionFaults, InvalidFormulasAndMissingValuesRaiseClearly) {
  TCalcExpress ce(QLatin1Char('.'));
  ce.setFormula("(1");
  ASSERT_FALSE(ce.isValid());
  try {
    ce.Evaluate();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "The formula is not valid");
  }
  ce.setVariables({"a", "b"});
  ce.setFormula("a+b");
  try {
    ce.Evaluate({1});
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.message(), "No value given for the variable 'b'");
  }
}

TEST(ExpressionState, ANewEvaluatorHoldsZero) {
  TCalcExpress ce(QLatin1Char('.'));
  EXPECT_EQ(ce.formula(), "0");
  ASSERT_TRUE(ce.isValid());
  EXPECT_EQ(ce.Evaluate(), 0);
}

TEST(ExpressionState, OneParseServesManyEvaluations) {
  TCalcExpress ce(QLatin1Char(','));
  ce.setVariables({"x", "y", "z"});
  ce.setFormula("(x+y)*(x-y)/(1+(z)^2)+sin(x)*cos(y)-sqrt(abs(z))+x*0,5");
  ASSERT_TRUE(ce.isValid());
  const TCalcExpress::Node* root = ce.root();
  for (int i = 0; i < 1000; ++i) {
    const long double x = i * 0.37L - 100, y = 50 - i * 0.11L, z = (i % 17) - 8;
    const long double expected =
        (x + y) * (x - y) / (1 + z * z) + sinl(x) * cosl(y) - sqrtl(fabsl(z)) + x * 0.5L;
    ASSERT_NEAR(static_cast<double>(ce.Evaluate({x, y, z})), static_cast<double>(expected),
                1e-12 * std::max(1.0, std::fabs(static_cast<double>(expected))))
        << i;
  }
  EXPECT_EQ(ce.root(), root);
}

TEST(ExpressionState, HostileNestingAndLongChains) {
  TCalcExpress ce(QLatin1Char('.'));
  ce.setFormula(QString(100000, QLatin1Char('(')));
  EXPECT_FALSE(ce.isValid());
  ce.setFormula(QString(100000, QLatin1Char('(')) + "1" + QString(100000, QLatin1Char(')')));
  EXPECT_FALSE(ce.isValid());

  const int depth = TCalcExpress::kMaxNesting;
  ce.setFormula(QString("sin(").repeated(depth) + "0" + QString(depth, QLatin1Char(')')));
  ASSERT_TRUE(ce.isValid());
  EXPECT_EQ(ce.Evaluate(), 0);
  ce.setFormula(QString("1+(").repeated(depth) + "1" + QString(depth, QLatin1Char(')')));
  ASSERT_TRUE(ce.isValid());
  EXPECT_EQ(ce.Evaluate(), depth + 1);

  // A chain makes a tree as deep as it is long.
  ce.setFormula(QString("1+").repeated(200000) + "1");
  ASSERT_TRUE(ce.isValid());
  EXPECT_EQ(ce.Evaluate(), 200001);
  ce.setFormula(QString("2^1").repeated(1) + QString("^1").repeated(200000));
  ASSERT_TRUE(ce.isValid());
  EXPECT_EQ(ce.Evaluate(), 2);
}

}  // namespace
}  // namespace orvella
