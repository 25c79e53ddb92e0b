#pragma once

// The engine's small script language, a subset of the page scripting that sign-in pages use:
// var/let/const, function declarations and expressions, if/else, return, blocks; the operators
// = += ?: || && ! == != === !== < > <= >= + - * / % typeof, member access, calls; strings, numbers,
// true, false, null, undefined, this. No loops (every script ends), no regular expressions.
//
// The page sees: document (getElementById, title, location), window (the globals), location (href,
// which navigates when set), elements (value, innerText, textContent, id, tagName, name, type,
// disabled, getAttribute), the functions String, Number, encodeURIComponent, and every function the
// program bound with jsBindFunction, called through ScriptHost.

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Dom.h"

namespace wke::js {

struct FunctionDef;
class Scope;

enum class HostObject { Document, Window, Location };

struct Value {
    enum class Type { Undefined, Null, Boolean, Number, String, Element, Host, Function, Native, Method };

    Type type = Type::Undefined;
    bool boolean = false;
    double number = 0;
    std::wstring string;                   // String; the name of a Native or Method
    Node* element = nullptr;               // Element; the receiver of an element Method
    HostObject host = HostObject::Window;  // Host; the receiver of a host Method
    std::shared_ptr<const FunctionDef> function;
    Scope* closure = nullptr;  // Function: the scope it was made in (the interpreter owns scopes)

    static Value undefined() { return {}; }
    static Value null();
    static Value fromBool(bool b);
    static Value fromNumber(double n);
    static Value fromString(std::wstring s);
    static Value fromElement(Node* n);
};

std::wstring toString(const Value& v);
double toNumber(const Value& v);
bool toBoolean(const Value& v);

// A script that failed: syntax, an unknown name, calling what is not a function, too deep or long.
class ScriptError : public std::runtime_error {
  public:
    explicit ScriptError(const std::string& what) : std::runtime_error(what) {}
};

// A native call ended the page (its view went): the script stops at once.
class ScriptAborted : public std::exception {};

// What the page's scripts reach outside the document.
class ScriptHost {
  public:
    virtual Document& document() = 0;
    virtual bool hasNative(const std::wstring& name) = 0;
    // Calls a bound function; may throw ScriptAborted.
    virtual Value callNative(const std::wstring& name, const std::vector<Value>& args) = 0;
    virtual std::wstring currentUrl() = 0;
    virtual void navigate(const std::wstring& url) = 0;
    // A script changed a field's value or an element's text.
    virtual void documentChanged() = 0;

  protected:
    ~ScriptHost() = default;
};

class Interpreter {
  public:
    explicit Interpreter(ScriptHost& host);
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    // Runs a script block; its functions and variables become globals of the page.
    // Throws ScriptError or ScriptAborted.
    void runScript(const std::wstring& source);
    // Runs an event handler's code (a function body) with `this` the element; returns its result.
    Value runHandler(const std::wstring& source, Node* self);

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace wke::js
