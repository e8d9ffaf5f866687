#include <gtest/gtest.h>

#include "converter/server/server.h"

using namespace orvane;

TEST(ServerRewrites, Php) {
    EXPECT_EQ(
        RewritePhp("ProcedureDLL.s Hello(name.s, greeting)\n"
                   "! return 'Hi ' . $name . $greeting;\n"
                   "EndProcedure\n"),
        "\n function Hello ( $name , $greeting ) {\n return 'Hi '.$name.$greeting ; \n } \n ");
    // A comment on the head line follows the opening brace; no parameters, no "$".
    EXPECT_EQ(RewritePhp("ProcedureCDLL Now() ; the time\n! return time();\nEndProcedure"),
              "\n function Now ( ) { // the time \n return time ( ) ; \n } ");
    // Operators the join would split; "$a" is read as a hexadecimal number and stays whole.
    EXPECT_EQ(RewritePhp("! $a = array('k' => 1);\n! $i++;\n! $s .= $o->x;\n"
                         "! if ($a == !$b && $c || $d) { $i += 2; }"),
              "\n $a= array ( 'k'=> 1) ; \n $i ++ ; \n $s.= $o -> x ; \n "
              "if ( $a== !$b&& $c|| $d) { $i += 2; } ");
}

TEST(ServerRewrites, AspVb) {
    EXPECT_EQ(RewriteAspVb("ProcedureDLL.s Hello(name.s, greeting)\n"
                           "! Hello = \"Hi \" & name\n"
                           "! Response.Write(\"x\")\n"
                           "EndProcedure\n"),
              "\n Function Hello ( name , greeting ) \n Hello = \"Hi \" & name \n "
              "Response.Write ( \"x\" ) \n End Function \n ");
}

TEST(ServerRewrites, PythonKeepsIndentationAndReadsTheForm) {
    EXPECT_EQ(RewritePython("ProcedureDLL.s Hello(name,greeting)\n! return name\nEndProcedure\n"),
              "\n@app.route('/Hello', methods=['POST'])\ndef  Hello():\n"
              " name = request.form.get('0')\n greeting = request.form.get('1')\n"
              " return name\n\n");
    // Blanks after commas, a deeper body and "!=" inside an expression.
    EXPECT_EQ(RewritePython("ProcedureDLL Check(a.s, b)\n!    if a != b:\n!        return 'x'\n"
                            "!    return 'y'\nEndProcedure"),
              "\n@app.route('/Check', methods=['POST'])\ndef  Check( ):\n"
              "    a = request.form.get('0')\n    b = request.form.get('1')\n"
              "    if a != b:\n        return 'x'\n    return 'y'\n");
    // Top-level code outside procedures starts in the first column.
    EXPECT_EQ(RewritePython("! import os\n! if os:\n!     x = 1\nProcedureDLL F()\n! return "
                            "1\nEndProcedure\n! y = 2"),
              "\nimport os\nif os:\n    x = 1\n@app.route('/F', methods=['POST'])\ndef  F():\n "
              "return 1\n\ny = 2");
    // A comment on the head line keeps every parameter line out of the comment.
    EXPECT_EQ(RewritePython("ProcedureDLL F(a) ; note\n! return a\nEndProcedure"),
              "\n@app.route('/F', methods=['POST'])\ndef  F() : # note\n"
              " a = request.form.get('0')\n\n return a\n");
}

TEST(ServerRewrites, NodeJsRegistersDeclaredProcedures) {
    EXPECT_EQ(
        RewriteNodeJs("ProcedureDLL.s Add(a, b)\n"
                      "  ! function Add(a, b) { return Number(a) + Number(b); }\n"
                      "EndProcedure\n"
                      "! function helper() { return 1; }\n"
                      "ProcedureDLL Plain(x)\n! function Plain(x) { return x; }\nEndProcedure\n"),
        " var VelkNodeJsFunctions = { }; \n\n function Add(a, b) { return Number(a) + "
        "Number(b); }\n\n function helper() { return 1; }\n\n function Plain(x) { return x; "
        "}\n\nVelkNodeJsFunctions.Add = Add;\nVelkNodeJsFunctions.Plain = Plain;\n");
    // An asynchronous head would not parse as JavaScript and is not callable.
    EXPECT_EQ(RewriteNodeJs("ProcedureCDLL.s Later()\nEndProcedure"),
              " var VelkNodeJsFunctions = { }; \n\n");
}
