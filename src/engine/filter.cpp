#include "engine/filter.h"

#include <cmath>

#include "engine/sqlite_util.h"
#include "engine/table.h"
#include "engine/tabledef_codec.h"
#include "platform/files.h"

namespace engine::detail {

namespace {

enum class Tok { End, Ident, And, Or, Op, Quoted, Number, LParen, RParen };

struct Token {
    Tok kind = Tok::End;
    std::string text;
    CompareOp op = CompareOp::Eq;
    size_t pos = 0;
};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool isIdentChar(char c) {
    return isIdentStart(c) || isDigit(c);
}

class Lexer {
  public:
    explicit Lexer(const std::string& text) : text_(text) {}

    Token next() {
        while (i_ < text_.size() && isSpace(text_[i_])) {
            ++i_;
        }
        Token t;
        t.pos = i_;
        if (i_ >= text_.size()) {
            return t;
        }
        char c = text_[i_];
        if (c == '(' || c == ')') {
            t.kind = c == '(' ? Tok::LParen : Tok::RParen;
            ++i_;
        } else if (c == '=' || c == '<' || c == '>') {
            lexOperator(t);
        } else if (c == '\'') {
            lexQuoted(t);
        } else if (isDigit(c) || ((c == '-' || c == '+' || c == '.') && startsNumber(i_))) {
            lexNumber(t);
        } else if (isIdentStart(c)) {
            size_t start = i_;
            while (i_ < text_.size() && isIdentChar(text_[i_])) {
                ++i_;
            }
            t.text = text_.substr(start, i_ - start);
            std::string upper = upperAscii(t.text);
            t.kind = upper == "AND" ? Tok::And : upper == "OR" ? Tok::Or : Tok::Ident;
        } else {
            throw FilterError(
                "unexpected character '" + platform::printable(std::string(1, c)) + "'", i_);
        }
        return t;
    }

  private:
    bool startsNumber(size_t at) const {
        size_t j = at;
        if (text_[j] == '-' || text_[j] == '+') {
            ++j;
        }
        if (j < text_.size() && text_[j] == '.') {
            ++j;
        }
        return j < text_.size() && isDigit(text_[j]);
    }

    void lexOperator(Token& t) {
        t.kind = Tok::Op;
        char c = text_[i_++];
        char d = i_ < text_.size() ? text_[i_] : '\0';
        if (c == '=') {
            t.op = CompareOp::Eq;
        } else if (c == '<' && d == '>') {
            t.op = CompareOp::Ne;
            ++i_;
        } else if (c == '<' && d == '=') {
            t.op = CompareOp::Le;
            ++i_;
        } else if (c == '>' && d == '=') {
            t.op = CompareOp::Ge;
            ++i_;
        } else {
            t.op = c == '<' ? CompareOp::Lt : CompareOp::Gt;
        }
    }

    void lexQuoted(Token& t) {
        t.kind = Tok::Quoted;
        size_t start = i_++;
        while (true) {
            if (i_ >= text_.size()) {
                throw FilterError("unterminated quoted value", start);
            }
            if (text_[i_] == '\'') {
                if (i_ + 1 < text_.size() && text_[i_ + 1] == '\'') {
                    t.text += '\'';
                    i_ += 2;
                    continue;
                }
                ++i_;
                return;
            }
            t.text += text_[i_++];
        }
    }

    void lexNumber(Token& t) {
        t.kind = Tok::Number;
        size_t start = i_;
        if (text_[i_] == '-' || text_[i_] == '+') {
            ++i_;
        }
        while (i_ < text_.size() && isDigit(text_[i_])) {
            ++i_;
        }
        if (i_ < text_.size() && text_[i_] == '.') {
            ++i_;
            while (i_ < text_.size() && isDigit(text_[i_])) {
                ++i_;
            }
        }
        if (i_ < text_.size() && isIdentChar(text_[i_])) {
            throw FilterError("malformed number", start);
        }
        t.text = text_.substr(start, i_ - start);
    }

    const std::string& text_;
    size_t i_ = 0;
};

class Parser {
  public:
    explicit Parser(const std::string& text) : lexer_(text) { advance(); }

    FilterNode parseAll() {
        FilterNode node = parseOr();
        if (tok_.kind == Tok::RParen) {
            throw FilterError("')' without '('", tok_.pos);
        }
        if (tok_.kind != Tok::End) {
            throw FilterError("AND, OR or end of filter expected", tok_.pos);
        }
        return node;
    }

    bool atEnd() const { return tok_.kind == Tok::End; }

  private:
    void advance() { tok_ = lexer_.next(); }

    FilterNode parseOr() { return parseChain(Tok::Or, FilterNode::Kind::Or, &Parser::parseAnd); }

    FilterNode parseAnd() {
        return parseChain(Tok::And, FilterNode::Kind::And, &Parser::parsePrimary);
    }

    // Operands joined by one operator: a node of that kind over them, or the
    // operand alone when the operator does not follow it.
    FilterNode parseChain(Tok op, FilterNode::Kind kind, FilterNode (Parser::*operand)()) {
        FilterNode first = (this->*operand)();
        if (tok_.kind != op) {
            return first;
        }
        FilterNode node;
        node.kind = kind;
        node.children.push_back(std::move(first));
        while (tok_.kind == op) {
            advance();
            node.children.push_back((this->*operand)());
        }
        return node;
    }

    FilterNode parsePrimary() {
        if (tok_.kind == Tok::LParen) {
            // Each level costs stack here and in compiling; a hostile text
            // must not exhaust it.
            if (depth_ == kMaxFilterNesting) {
                throw FilterError(
                    "parentheses nested more than " + std::to_string(kMaxFilterNesting) + " deep",
                    tok_.pos);
            }
            ++depth_;
            advance();
            FilterNode inner = parseOr();
            --depth_;
            if (tok_.kind != Tok::RParen) {
                throw FilterError("')' expected", tok_.pos);
            }
            advance();
            return inner;
        }
        if (tok_.kind != Tok::Ident) {
            throw FilterError("field name expected", tok_.pos);
        }
        FilterNode node;
        node.field = tok_.text;
        node.fieldPos = tok_.pos;
        advance();
        if (tok_.kind != Tok::Op) {
            throw FilterError("comparison operator expected", tok_.pos);
        }
        node.op = tok_.op;
        advance();
        if (tok_.kind != Tok::Quoted && tok_.kind != Tok::Number) {
            throw FilterError("value expected", tok_.pos);
        }
        node.quoted = tok_.kind == Tok::Quoted;
        node.value = tok_.text;
        node.valuePos = tok_.pos;
        advance();
        return node;
    }

    Lexer lexer_;
    Token tok_;
    size_t depth_ = 0;
};

const char* opSql(CompareOp op) {
    switch (op) {
        case CompareOp::Eq:
            return " = ";
        case CompareOp::Ne:
            return " <> ";
        case CompareOp::Lt:
            return " < ";
        case CompareOp::Gt:
            return " > ";
        case CompareOp::Le:
            return " <= ";
        case CompareOp::Ge:
            return " >= ";
    }
    return " = ";
}

// A comparison with an empty value: blank is the least value of all.
std::string blankCondition(const std::string& col, CompareOp op, bool text) {
    std::string isBlank = text ? "(" + col + " IS NULL OR " + col + " = '')" : col + " IS NULL";
    std::string notBlank =
        text ? "(" + col + " IS NOT NULL AND " + col + " <> '')" : col + " IS NOT NULL";
    switch (op) {
        case CompareOp::Eq:
        case CompareOp::Le:
            return isBlank;
        case CompareOp::Ne:
        case CompareOp::Gt:
            return notBlank;
        case CompareOp::Ge:
            return "1";
        case CompareOp::Lt:
            return "0";
    }
    return "0";
}

bool foldedIndexLeads(const TableDef& def, const FieldDef& field) {
    for (const auto& index : def.indexes) {
        if (index.caseInsensitive && equalsNoCase(index.fields.front(), field.name)) {
            return true;
        }
    }
    return false;
}

void compileCompare(const FilterNode& node, const TableDef& def, bool caseInsensitive,
                    SqlCondition& out) {
    int index = findFieldIndex(def, node.field);
    if (index < 0) {
        throw FilterError("unknown field " + node.field, node.fieldPos);
    }
    const FieldDef& field = def.fields[static_cast<size_t>(index)];
    std::string col = quoteIdent(field.name);
    if (field.type == FieldType::Memo || field.type == FieldType::Graphic) {
        throw FilterError("field " + field.name + " cannot be compared", node.fieldPos);
    }
    bool text = field.type == FieldType::String;
    if (node.quoted && node.value.empty()) {
        out.sql += blankCondition(col, node.op, text);
        return;
    }
    Cell param;
    if (text) {
        param = Cell::text(node.value);
    } else {
        auto number = parseNumber(node.value);
        if (!number) {
            throw FilterError("type mismatch: '" + platform::printable(node.value) +
                                  "' is no number for field " + field.name,
                              node.valuePos);
        }
        param = Cell::real(*number);
    }
    std::string compare = col + opSql(node.op) + "?";
    if (text && caseInsensitive) {
        compare += " COLLATE NOCASE";
    }
    if (text && !caseInsensitive && node.op == CompareOp::Eq && foldedIndexLeads(def, field)) {
        // Exact equality implies equality with A-Z folded; saying so lets
        // SQLite find the rows through the case-insensitive index.
        out.sql += "(" + col + " = ? COLLATE NOCASE AND " + compare + ")";
        out.params.push_back(param);
        out.params.push_back(std::move(param));
        return;
    }
    // A blank field differs from every value that is not blank.
    out.sql += node.op == CompareOp::Ne ? "(" + col + " IS NULL OR " + compare + ")" : compare;
    out.params.push_back(std::move(param));
}

void compileNode(const FilterNode& node, const TableDef& def, bool caseInsensitive,
                 SqlCondition& out) {
    if (node.kind == FilterNode::Kind::Compare) {
        compileCompare(node, def, caseInsensitive, out);
        return;
    }
    const char* glue = node.kind == FilterNode::Kind::And ? " AND " : " OR ";
    out.sql += "(";
    for (size_t i = 0; i < node.children.size(); ++i) {
        if (i > 0) {
            out.sql += glue;
        }
        compileNode(node.children[i], def, caseInsensitive, out);
    }
    out.sql += ")";
}

}  // namespace

std::optional<FilterNode> parseFilter(const std::string& text) {
    Parser parser(text);
    if (parser.atEnd()) {
        return std::nullopt;
    }
    return parser.parseAll();
}

SqlCondition compileFilter(const FilterNode& node, const TableDef& def, bool caseInsensitive) {
    SqlCondition out;
    compileNode(node, def, caseInsensitive, out);
    return out;
}

}  // namespace engine::detail
