#pragma once

// The syntax tree of the script language and its reader (see Script.h for the language).

#include <memory>
#include <string>
#include <vector>

namespace wke::js {

struct Stmt;
struct FunctionDef;

struct Expr {
    enum class Kind { Literal, Ident, This, Member, Index, Call, Unary, Binary, Logical, Cond, Assign, Function };
    enum class Literal { Undefined, Null, True, False, Number, String };

    Kind kind = Kind::Literal;
    Literal literal = Literal::Undefined;
    double number = 0;
    std::wstring text;                            // String literal, Ident and Member names, operator
    std::vector<std::unique_ptr<Expr>> operands;  // children in order; a call's callee first
    std::shared_ptr<const FunctionDef> function;
};

struct Stmt {
    enum class Kind { Expression, Var, Function, If, Return, Block, Empty };

    Kind kind = Kind::Empty;
    std::vector<std::wstring> names;           // Var: the declared names
    std::vector<std::unique_ptr<Expr>> exprs;  // Var: initialisers (null when none); If: condition;
                                               // Return / Expression: the value (may be null)
    std::vector<std::unique_ptr<Stmt>> body;   // Block; If: then, else (may be null)
    std::shared_ptr<const FunctionDef> function;
};

struct FunctionDef {
    std::wstring name;
    std::vector<std::wstring> params;
    std::vector<std::unique_ptr<Stmt>> body;
};

// Reads a program (a script block or a handler's body). Throws ScriptError.
std::vector<std::unique_ptr<Stmt>> parseProgram(const std::wstring& source);

}  // namespace wke::js
