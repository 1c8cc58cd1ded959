#include "calc/offsets.h"
#include "calc/single.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

namespace calc {
namespace {

constexpr int maxNesting = 64;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A recursive-descent reader of
//   expression := term { ("+" | "-") term }
//   term       := factor { ("*" | "/") factor }
//   factor     := { "+" | "-" } ( number | "(" expression ")" )
// where spaces and tabs may stand between tokens. Each value remembers whether
// it is still a lone literal (with signs and parentheses only), so a plain
// number can be rounded straight from its text to single instead of through
// double, which could round twice.
class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    float Read() {
        const Value value = Expression(0);
        SkipBlanks();
        if (pos_ != text_.size())
            throw Failure{};
        literal_ = value.literal;
        if (value.literal.empty())
            return detail::RoundToSingle(value.number);
        return FromLiteral(value.literal, value.negative);
    }

    // After Read: whether the text was a plain number, one literal with at
    // most one sign and blanks around it.
    bool WasPlain() const {
        std::string_view rest = text_;
        while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
            rest.remove_prefix(1);
        if (!rest.empty() && (rest.front() == '+' || rest.front() == '-'))
            rest.remove_prefix(1);
        return !literal_.empty() && rest.data() == literal_.data();
    }

  private:
    struct Value {
        double number = 0.0;
        std::string_view literal; // non-empty while the value is a lone literal
        bool negative = false;    // sign applied to the literal
    };

    void SkipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
    }

    bool Accept(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    static double Checked(double value) {
        // Double overflow or an invalid operation in the middle of an
        // expression is a failure, like the single overflow at the end.
        if (!std::isfinite(value))
            throw Failure{};
        return value;
    }

    Value Expression(int depth) {
        Value left = Term(depth);
        for (;;) {
            if (Accept('+'))
                left = Value{Checked(left.number + Term(depth).number), {}, false};
            else if (Accept('-'))
                left = Value{Checked(left.number - Term(depth).number), {}, false};
            else
                return left;
        }
    }

    Value Term(int depth) {
        Value left = Factor(depth);
        for (;;) {
            if (Accept('*')) {
                left = Value{Checked(left.number * Factor(depth).number), {}, false};
            } else if (Accept('/')) {
                const double divisor = Factor(depth).number;
                if (divisor == 0.0)
                    throw Failure{};
                left = Value{Checked(left.number / divisor), {}, false};
            } else {
                return left;
            }
        }
    }

    Value Factor(int depth) {
        // Signs are counted in a loop, not by recursion, so thousands of them
        // cannot exhaust the stack.
        bool negative = false;
        for (;;) {
            if (Accept('-'))
                negative = !negative;
            else if (!Accept('+'))
                break;
        }
        Value value;
        if (Accept('(')) {
            if (depth + 1 > maxNesting)
                throw Failure{};
            value = Expression(depth + 1);
            if (!Accept(')'))
                throw Failure{};
        } else {
            value = Number();
        }
        if (negative) {
            value.number = -value.number;
            value.negative = !value.negative;
        }
        return value;
    }

    // number := digits ["." [digits]] | "." digits, then [("e"|"E") [sign] digits]
    Value Number() {
        SkipBlanks();
        const std::size_t start = pos_;
        std::size_t digits = 0;
        while (pos_ < text_.size() && IsDigit(text_[pos_])) {
            ++pos_;
            ++digits;
        }
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            while (pos_ < text_.size() && IsDigit(text_[pos_])) {
                ++pos_;
                ++digits;
            }
        }
        if (digits == 0)
            throw Failure{};
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-'))
                ++pos_;
            std::size_t exponentDigits = 0;
            while (pos_ < text_.size() && IsDigit(text_[pos_])) {
                ++pos_;
                ++exponentDigits;
            }
            if (exponentDigits == 0)
                throw Failure{};
        }
        const std::string_view literal = text_.substr(start, pos_ - start);
        return Value{Checked(ParseDouble(literal)), literal, false};
    }

    static double ParseDouble(std::string_view literal) {
        double value = 0.0;
        const auto [end, error] =
            std::from_chars(literal.data(), literal.data() + literal.size(), value);
        if (end != literal.data() + literal.size())
            throw Failure{};
        if (error == std::errc::result_out_of_range)
            return Magnitude(literal) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        if (error != std::errc{})
            throw Failure{};
        return value;
    }

    static float FromLiteral(std::string_view literal, bool negative) {
        float value = 0.0f;
        const auto [end, error] =
            std::from_chars(literal.data(), literal.data() + literal.size(), value);
        if (end != literal.data() + literal.size())
            throw Failure{};
        if (error == std::errc::result_out_of_range) {
            // Some libraries report underflow as out of range too; a value too
            // small for single is simply zero, one too large is a failure.
            if (Magnitude(literal) > 0)
                throw Failure{};
            value = 0.0f;
        } else if (error != std::errc{} || !std::isfinite(value)) {
            throw Failure{};
        }
        return negative ? -value : value;
    }

    // Tells a huge literal from a tiny one when the library only says "out of
    // range": the decimal position of its first significant digit, clamped.
    // Positive means at least 1, zero or negative means below 1.
    static long Magnitude(std::string_view literal) {
        long position = 0; // digits before the point, minus leading zeros
        bool seenNonZero = false;
        bool afterPoint = false;
        std::size_t i = 0;
        for (; i < literal.size() && literal[i] != 'e' && literal[i] != 'E'; ++i) {
            const char c = literal[i];
            if (c == '.') {
                afterPoint = true;
            } else if (!seenNonZero && c == '0') {
                if (afterPoint)
                    --position;
            } else if (!seenNonZero) {
                seenNonZero = true;
                if (!afterPoint)
                    ++position;
            } else if (!afterPoint) {
                ++position;
            }
        }
        long exponent = 0;
        bool exponentNegative = false;
        if (i < literal.size()) {
            ++i;
            if (i < literal.size() && (literal[i] == '+' || literal[i] == '-'))
                exponentNegative = literal[i++] == '-';
            for (; i < literal.size(); ++i)
                if (exponent < 100000)
                    exponent = exponent * 10 + (literal[i] - '0');
        }
        if (!seenNonZero)
            return 0;
        return position + (exponentNegative ? -exponent : exponent);
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::string_view literal_;
};

} // namespace

float TextToNumber(std::string_view text) {
    return Reader(text).Read();
}

std::string StoredText(std::string_view text) {
    Reader reader(text);
    try {
        const float value = reader.Read();
        if (!reader.WasPlain())
            return NumberToText(value);
    } catch (const Failure&) {
    }
    return std::string(text);
}

} // namespace calc
