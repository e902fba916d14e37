// Filter expressions: a tokenizer, a recursive-descent parser into a small tree, and its
// evaluation. Text compares without regard to letter case, as the database's text does.
#include "db/Filter.h"

#include <cctype>
#include <vector>

#include "db/DataSet.h"
#include "db/SqlText.h"
#include "rtl/Exceptions.h"
#include "rtl/FloatFormat.h"

namespace vt {

namespace {

enum class Token { End, Name, String, Number, Date, Operator, Open, Close };

struct Lexeme {
  Token token = Token::End;
  String text;
};

enum class Op { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' ||
         static_cast<unsigned char>(c) >= 0x80;
}

[[noreturn]] void Malformed(const String& text) {
  throw EDatabaseError("Invalid filter expression: " + text);
}

std::vector<Lexeme> Tokenize(const String& text) {
  std::vector<Lexeme> out;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (std::isspace(static_cast<unsigned char>(c))) { ++i; continue; }
    Lexeme lexeme;
    if (c == '(' || c == ')') {
      lexeme = {c == '(' ? Token::Open : Token::Close, String(1, c)};
      ++i;
    } else if (c == '=' || c == '<' || c == '>') {
      size_t length = (i + 1 < text.size() && (text[i + 1] == '=' || (c == '<' && text[i + 1] == '>'))) ? 2 : 1;
      lexeme = {Token::Operator, text.substr(i, length)};
      i += length;
    } else if (c == '\'' || c == '"' || c == '#') {
      lexeme.token = c == '#' ? Token::Date : Token::String;
      for (++i;; ++i) {
        if (i >= text.size()) Malformed(text);
        if (text[i] == c) {
          if (c != '#' && i + 1 < text.size() && text[i + 1] == c) { lexeme.text += c; ++i; continue; }
          ++i;
          break;
        }
        lexeme.text += text[i];
      }
    } else if (c == '[') {
      size_t close = text.find(']', i);
      if (close == String::npos) Malformed(text);
      lexeme = {Token::Name, text.substr(i + 1, close - i - 1)};
      i = close + 1;
    } else if (std::isdigit(static_cast<unsigned char>(c)) ||
               ((c == '-' || c == '+') && i + 1 < text.size() &&
                std::isdigit(static_cast<unsigned char>(text[i + 1])) &&
                (out.empty() || out.back().token == Token::Operator || out.back().token == Token::Open))) {
      size_t start = i++;
      while (i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.')) ++i;
      lexeme = {Token::Number, text.substr(start, i - start)};
    } else if (IsNameChar(c)) {
      size_t start = i;
      while (i < text.size() && IsNameChar(text[i])) ++i;
      lexeme = {Token::Name, text.substr(start, i - start)};
    } else {
      Malformed(text);
    }
    out.push_back(lexeme);
  }
  out.push_back({});
  return out;
}

Op ParseOp(const String& text) {
  if (text == "=") return Op::Equal;
  if (text == "<>") return Op::NotEqual;
  if (text == "<") return Op::Less;
  if (text == ">") return Op::Greater;
  if (text == "<=") return Op::LessEqual;
  return Op::GreaterEqual;
}

// The same comparison with its sides swapped: 5 < X is X > 5.
Op Mirror(Op op) {
  switch (op) {
    case Op::Less: return Op::Greater;
    case Op::Greater: return Op::Less;
    case Op::LessEqual: return Op::GreaterEqual;
    case Op::GreaterEqual: return Op::LessEqual;
    default: return op;
  }
}

bool Holds(Op op, int comparison) {
  switch (op) {
    case Op::Equal: return comparison == 0;
    case Op::NotEqual: return comparison != 0;
    case Op::Less: return comparison < 0;
    case Op::Greater: return comparison > 0;
    case Op::LessEqual: return comparison <= 0;
    case Op::GreaterEqual: return comparison >= 0;
  }
  return false;
}

}  // namespace

struct FilterExpression::Node {
  enum Kind { And, Or, Not, Compare, IsNull, Constant } kind;
  std::unique_ptr<Node> left, right;
  // Comparison: field name, operator and literal as written, then bound to the field.
  String fieldName;
  Op op = Op::Equal;
  Token literalToken = Token::End;
  String literal;
  bool negate = false;  // IS NOT NULL
  TField* field = nullptr;
  double number = 0;

  explicit Node(Kind k) : kind(k) {}

  void Bind(TDataSet& dataSet) {
    if (left) left->Bind(dataSet);
    if (right) right->Bind(dataSet);
    if (kind != Compare && kind != IsNull) return;
    field = dataSet.FieldByName(fieldName);
    if (kind == Compare && !IsTextType(field->DataType())) number = LiteralNumber();
  }

  double LiteralNumber() const {
    if (SameText(literal, "true")) return -1;
    if (SameText(literal, "false")) return 0;
    TDateTime date;
    bool dateField = field->DataType() == ftDate || field->DataType() == ftTime ||
                     field->DataType() == ftDateTime;
    if (dateField && literalToken != Token::Number &&
        (TryParseJetDate(literal, date) || TryStrToDateTime(literal, date)))
      return date;
    double value;
    if (!TryStrToFloat(literal, value))
      throw EDatabaseError("'" + literal + "' is not a valid value for field '" + field->DisplayName() + "'");
    return value;
  }

  bool Evaluate() const {
    switch (kind) {
      case And: return left->Evaluate() && right->Evaluate();
      case Or: return left->Evaluate() || right->Evaluate();
      case Not: return !left->Evaluate();
      case IsNull: return field->IsNull() != negate;
      case Constant: return true;
      case Compare: break;
    }
    if (field->IsNull()) return false;
    if (IsTextType(field->DataType())) return Holds(op, AnsiCompareText(field->AsString(), literal));
    double value = field->DataType() == ftBoolean ? (field->AsBoolean() ? -1 : 0) : field->AsFloat();
    return Holds(op, value < number ? -1 : value > number ? 1 : 0);
  }
};

namespace {

using Node = FilterExpression::Node;

class Parser {
 public:
  explicit Parser(const String& text) : text_(text), lexemes_(Tokenize(text)) {}

  std::unique_ptr<Node> Parse() {
    if (Peek().token == Token::End) return std::make_unique<Node>(Node::Constant);
    auto node = ParseOr();
    if (Peek().token != Token::End) Malformed(text_);
    return node;
  }

 private:
  const Lexeme& Peek() const { return lexemes_[pos_]; }
  const Lexeme& Take() { return lexemes_[pos_ < lexemes_.size() - 1 ? pos_++ : pos_]; }
  bool TakeWord(const char* word) {
    if (Peek().token != Token::Name || !SameText(Peek().text, word)) return false;
    ++pos_;
    return true;
  }

  std::unique_ptr<Node> Join(Node::Kind kind, std::unique_ptr<Node> left, std::unique_ptr<Node> right) {
    auto node = std::make_unique<Node>(kind);
    node->left = std::move(left);
    node->right = std::move(right);
    return node;
  }

  std::unique_ptr<Node> ParseOr() {
    auto node = ParseAnd();
    while (TakeWord("OR")) node = Join(Node::Or, std::move(node), ParseAnd());
    return node;
  }

  std::unique_ptr<Node> ParseAnd() {
    auto node = ParseUnary();
    while (TakeWord("AND")) node = Join(Node::And, std::move(node), ParseUnary());
    return node;
  }

  std::unique_ptr<Node> ParseUnary() {
    if (TakeWord("NOT")) return Join(Node::Not, ParseUnary(), nullptr);
    if (Peek().token == Token::Open) {
      Take();
      auto node = ParseOr();
      if (Take().token != Token::Close) Malformed(text_);
      return node;
    }
    return ParseComparison();
  }

  static bool IsLiteralWord(const Lexeme& lexeme) {
    return lexeme.token == Token::Name &&
           (SameText(lexeme.text, "true") || SameText(lexeme.text, "false") || SameText(lexeme.text, "null"));
  }

  std::unique_ptr<Node> ParseComparison() {
    Lexeme first = Take();
    bool fieldFirst = first.token == Token::Name && !IsLiteralWord(first);
    if (fieldFirst && TakeWord("IS")) {
      auto node = std::make_unique<Node>(Node::IsNull);
      node->negate = TakeWord("NOT");
      if (!TakeWord("NULL")) Malformed(text_);
      node->fieldName = first.text;
      return node;
    }
    if (Peek().token != Token::Operator) Malformed(text_);
    Op op = ParseOp(Take().text);
    Lexeme second = Take();
    bool fieldSecond = second.token == Token::Name && !IsLiteralWord(second);
    if (fieldFirst == fieldSecond || second.token == Token::End || first.token == Token::End)
      Malformed(text_);
    const Lexeme& name = fieldFirst ? first : second;
    const Lexeme& literal = fieldFirst ? second : first;
    if (!fieldFirst) op = Mirror(op);
    if (SameText(literal.text, "null") && literal.token == Token::Name) {
      if (op != Op::Equal && op != Op::NotEqual) Malformed(text_);
      auto node = std::make_unique<Node>(Node::IsNull);
      node->negate = op == Op::NotEqual;
      node->fieldName = name.text;
      return node;
    }
    auto node = std::make_unique<Node>(Node::Compare);
    node->fieldName = name.text;
    node->op = op;
    node->literalToken = literal.token;
    node->literal = literal.text;
    return node;
  }

  String text_;
  std::vector<Lexeme> lexemes_;
  size_t pos_ = 0;
};

}  // namespace

FilterExpression::FilterExpression(const String& text) : root_(Parser(text).Parse()) {}
FilterExpression::~FilterExpression() = default;

void FilterExpression::Bind(TDataSet& dataSet) { root_->Bind(dataSet); }
bool FilterExpression::Matches() const { return root_->Evaluate(); }

}  // namespace vt
