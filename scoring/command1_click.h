#pragma once

class Form;

// Scores every answer on Form1 against the answer key and leaves the total,
// 0 to 25, in T7. Touches nothing else.
void Command1_Click(Form &Form1);
