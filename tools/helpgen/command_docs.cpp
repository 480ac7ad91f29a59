#include "command_docs.h"

#include <array>

namespace keyreel::help {

namespace {

using G = CommandGroup;

constexpr std::array<CommandGroupInfo, 6> kGroups = {{
    {G::Programs, "Programs and documents", "group_programs.html"},
    {G::Windows, "Windows", "group_windows.html"},
    {G::WaitsAndMessages, "Waits and messages", "group_waits.html"},
    {G::Keys, "Typing and keys", "group_keys.html"},
    {G::Mouse, "Mouse", "group_mouse.html"},
    {G::Flow, "Repeats and loops", "group_flow.html"},
}};

// A key that is pressed and released, with an example of its use.
#define KEY_DOC(word, key, example, related)                                                    \
    {                                                                                           \
        word, G::Keys, word,                                                                    \
            "Presses and releases " key " in the window that has the keyboard focus.", example, \
            "Presses and releases " key ".", related                                            \
    }

// The function keys, each with its neighbours.
#define F_KEY_DOC(n, related) \
    KEY_DOC("Press_F" #n, "F" #n, "SetFocus >Untitled - Notepad\nPress_F" #n, related)

constexpr CommandDoc kDocs[] = {
    {"RunProgram", G::Programs, "RunProgram >program [arguments]",
     "Starts the program in a normal window with the keyboard focus and goes on at once, "
     "without waiting for it. The value is a program, optionally followed by arguments. A "
     "program named without a folder (notepad.exe, or notepad: .exe, .com, .bat and .cmd are "
     "tried) is looked for only in the Windows system folder, the Windows folder and the "
     "folders of the PATH variable that are full paths, never in the current folder or "
     "beside keyreel.exe. A relative path with a folder part (tools\\x.exe) is taken from "
     "keyreel.exe's folder, and the program starts with that folder as its current folder. "
     "Of a value with blanks, the longest leading part that names an existing file is the "
     "program and the rest are its arguments, so a path with blanks needs no quotes; a path "
     "in quotes is the program whole. A program that cannot be found shows "
     "\"File not found!\" and the macro goes on.",
     "RunProgram >notepad.exe\nRunProgram >notepad.exe C:\\notes\\todo.txt\n"
     "RunProgram >C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe C:\\notes\\a.txt\n"
     "RunProgram >\"C:\\My Tools\\report.exe\" /daily",
     "Starts a program, with arguments if you like.", "ExecuteFile WaitForWindow SetFocus"},
    {"ExecuteFile", G::Programs, "ExecuteFile >path of a document",
     "Asks Windows to open the document with the program registered for its type, as a double "
     "click in Explorer does. A relative path (todo.txt, notes\\todo.txt) is taken from "
     "keyreel.exe's folder, never from the current folder; a program named without a folder "
     "is looked for as RunProgram does. A document that does not exist, or has no program to "
     "open it, shows \"File not found!\" and the macro goes on.",
     "ExecuteFile >C:\\reports\\monday.txt", "Opens a document with its program.",
     "RunProgram WaitForWindow"},
    {"Message", G::WaitsAndMessages, "Message",
     "Shows a message box with the text \"Message\" and an OK button and waits until it is "
     "answered. The word is not offered in the builder's list; write it by hand.",
     "Message", "Shows the word \"Message\" and waits for OK.", "MessageBox"},
    {"WaitForWindow", G::Windows, "WaitForWindow >part of a window title",
     "Waits until a top-level window exists whose title contains the text, in any case; "
     "hidden windows count too. There is no time limit: the wait ends when the window "
     "appears or the macro is stopped. An empty value ends the wait at once.",
     "RunProgram >notepad.exe\nWaitForWindow >Untitled - Notepad",
     "Waits until a window with the title exists.", "SetFocus RunProgram Wait"},
    {"Wait", G::WaitsAndMessages, "Wait >seconds",
     "Waits the given number of whole seconds, counted from the moment the wait begins. A "
     "value that is no number does not wait; a fraction is rounded to a whole number, so "
     "Wait >0.5 does not wait at all. The builder writes 1 when the value is left empty. "
     "Stop ends the wait within a second.",
     "Wait >5", "Waits whole seconds.", "WaitForWindow"},
    {"SetFocus", G::Windows, "SetFocus >part of a window title",
     "Brings the first window whose title contains the text (in any case) to the front with "
     "the keyboard focus. When there is none, or the text is empty or only blanks, Keyreel "
     "asks \"Focus Lost from application. Continue?\"; No stops the macro.",
     "SetFocus >Untitled - Notepad\nSendText >typed into Notepad",
     "Brings a window to the front with the keyboard focus.", "WaitForWindow SendText"},
    {"SendText", G::Keys, "SendText >text",
     "Types the text, one character after the other, into the window that has the keyboard "
     "focus. Characters the keyboard layout lacks are typed all the same. Blanks at the start "
     "of the text are dropped (play Press_Space first to type one); blanks at the end stay.\n"
     "The text is what follows the first >; when it holds another >, only what follows that "
     "one, so SendText >5 > 3 types \"3\": to type a >, begin the text with one more, as in "
     "SendText >>5 > 3, which types \"5 > 3\".\nThe characters ~ ^ % ( ) { type nothing; "
     "type them as the keyboard does, with Shift held around the key that has them (on a US "
     "layout Press_Shift, SendText >9, Release_Shift types \"(\"). + is typed with the "
     "number pad's plus key.\nA command word that stands as a word of its own in the text runs "
     "too, after the text: SendText >Done Press_Enter types \"Done Press_Enter\" and then "
     "presses Enter; write such a word in another case or with a character joined to it.\n"
     "When a character cannot be sent (Windows refuses the input), the rest of the text is "
     "dropped. Stop ends the typing after the character under way.",
     "SendText >Dear Sir or Madam,\nPress_Enter\nPress_Shift\nSendText >9\nRelease_Shift",
     "Types text into the window that has the focus.", "SetFocus Press_Enter Press_Shift"},
    KEY_DOC("Press_Space", "the Space bar", "SendText >Hello\nPress_Space\nSendText >world",
            "SendText Press_Tab"),
    KEY_DOC("Press_BackSpace", "Backspace",
            "SendText >teh\nPress_BackSpace\nPress_BackSpace\nSendText >he", "Press_Del"),
    KEY_DOC("Press_Tab", "Tab", "SendText >Name\nPress_Tab\nSendText >Address",
            "Press_Enter Press_Shift"),
    KEY_DOC("Press_Enter", "Enter", "SendText >First line\nPress_Enter\nSendText >Second line",
            "SendText Press_Tab"),
    KEY_DOC("Press_ESC", "Escape", "Press_ALT\nPress_ESC", "Press_ALT Press_Enter"),
    F_KEY_DOC(1, "Press_F2"),
    F_KEY_DOC(2, "Press_F1 Press_F3"),
    F_KEY_DOC(3, "Press_F2 Press_F4"),
    F_KEY_DOC(4, "Press_F3 Press_F5 ALT_Down"),
    F_KEY_DOC(5, "Press_F4 Press_F6"),
    F_KEY_DOC(6, "Press_F5 Press_F7"),
    F_KEY_DOC(7, "Press_F6 Press_F8"),
    F_KEY_DOC(8, "Press_F7 Press_F9"),
    F_KEY_DOC(9, "Press_F8 Press_F10"),
    F_KEY_DOC(10, "Press_F9 Press_F11"),
    F_KEY_DOC(11, "Press_F10 Press_F12"),
    F_KEY_DOC(12, "Press_F11"),
    KEY_DOC("Press_Home", "Home", "Press_Home\nSendText >Start: ", "Press_End Press_PageUp"),
    KEY_DOC("Press_End", "End", "Press_End\nPress_Space\nSendText >[end]",
            "Press_Home Press_PageDown"),
    KEY_DOC("Press_Up", "the Up arrow", "Press_Up\nPress_Up", "Press_Down Press_PageUp"),
    KEY_DOC("Press_Down", "the Down arrow", "Repeat >5\nPress_Down\nEnd_Repeat",
            "Press_Up Press_PageDown"),
    KEY_DOC("Press_Left", "the Left arrow", "Press_End\nPress_Left\nPress_BackSpace",
            "Press_Right Press_Home"),
    KEY_DOC("Press_Right", "the Right arrow", "Press_Home\nPress_Right\nPress_Del",
            "Press_Left Press_End"),
    KEY_DOC("Press_PageUp", "Page Up", "Press_PageUp", "Press_PageDown Press_Up"),
    KEY_DOC("Press_PageDown", "Page Down", "Press_CTRL\nPress_PageDown\nRelease_CTRL",
            "Press_PageUp Press_Down"),
    KEY_DOC("Press_Ins", "Insert", "Press_Shift\nPress_Ins\nRelease_Shift",
            "Press_Del Press_Shift"),
    KEY_DOC("Press_Del", "Delete", "Press_Home\nPress_Del", "Press_BackSpace Press_Ins"),
    {"Press_Shift", G::Keys, "Press_Shift",
     "Holds Shift down until Release_Shift is played. It stays down after the macro ends, so "
     "release it in the macro.",
     "Press_Shift\nPress_End\nRelease_Shift", "Holds Shift down.", "Release_Shift SendText"},
    {"Release_Shift", G::Keys, "Release_Shift", "Lets go of Shift held by Press_Shift.",
     "Press_Shift Press_Home Release_Shift", "Lets go of Shift.", "Press_Shift"},
    {"Press_CTRL", G::Keys, "Press_CTRL",
     "Holds Ctrl down until Release_CTRL is played. It stays down after the macro ends, so "
     "release it in the macro.",
     "Press_CTRL\nSendText >a\nRelease_CTRL", "Holds Ctrl down.", "Release_CTRL"},
    {"Release_CTRL", G::Keys, "Release_CTRL", "Lets go of Ctrl held by Press_CTRL.",
     "Press_CTRL\nPress_End\nRelease_CTRL", "Lets go of Ctrl.", "Press_CTRL"},
    {"Press_ALT", G::Keys, "Press_ALT",
     "Taps Alt once, down and up, which opens the menu bar of most programs. Only this "
     "spelling works.",
     "Press_ALT\nSendText >f", "Taps Alt once, which opens a menu bar.", "ALT_Down ALT_Up"},
    {"ALT_Down", G::Keys, "ALT_Down",
     "Holds Alt down until ALT_Up is played. It stays down after the macro ends, so release "
     "it in the macro.",
     "ALT_Down\nPress_F4\nALT_Up", "Holds Alt down.", "ALT_Up Press_ALT"},
    {"ALT_Up", G::Keys, "ALT_Up", "Lets go of Alt held by ALT_Down.", "ALT_Down\nPress_Tab\nALT_Up",
     "Lets go of Alt.", "ALT_Down"},
    KEY_DOC("Press_Caps", "Caps Lock", "Press_Caps\nSendText >loud\nPress_Caps",
            "Press_Shift Press_NumLock"),
    KEY_DOC("Press_NumLock", "Num Lock", "Press_NumLock", "Press_Caps Press_ScrollLock"),
    KEY_DOC("Press_ScrollLock", "Scroll Lock", "Press_ScrollLock", "Press_NumLock"),
    KEY_DOC("Press_PrintScreen", "Print Screen", "Press_PrintScreen", "Press_ALT"),
    {"MouseMove", G::Mouse, "MouseMove >x,y",
     "Moves the mouse pointer to the screen point x,y in pixels, 0,0 being the top left "
     "corner of the main screen. The main window shows the pointer's position, and the "
     "pointer tracker follows it around the screen. A value without x,y leaves the pointer "
     "where it is.",
     "MouseMove >640,480\nLClick", "Moves the pointer to a screen point.", "LClick LDown"},
    {"LDblClick", G::Mouse, "LDblClick",
     "Double-clicks the left button where the pointer is: two clicks one timer tick apart.",
     "MouseMove >100,200\nLDblClick", "Double-clicks the left button.", "LClick RDblClick"},
    {"RDblClick", G::Mouse, "RDblClick",
     "Double-clicks the right button where the pointer is: two clicks one timer tick apart.",
     "MouseMove >100,200\nRDblClick", "Double-clicks the right button.", "RClick LDblClick"},
    {"LClick", G::Mouse, "LClick", "Clicks the left button where the pointer is.",
     "MouseMove >300,40\nLClick", "Clicks the left button.", "MouseMove LDblClick LDown"},
    {"LDown", G::Mouse, "LDown",
     "Presses the left button and keeps it down: with LUp after a MouseMove it drags.",
     "MouseMove >100,100\nLDown\nMouseMove >300,300\nLUp", "Holds the left button down.",
     "LUp MouseMove"},
    {"LUp", G::Mouse, "LUp", "Lets go of the left button where the pointer is.",
     "LDown\nMouseMove >300,300\nLUp", "Lets go of the left button.", "LDown"},
    {"RClick", G::Mouse, "RClick",
     "Clicks the right button where the pointer is, which opens most context menus.",
     "MouseMove >500,400\nRClick", "Clicks the right button.", "MouseMove RDblClick RDown"},
    {"RDown", G::Mouse, "RDown", "Presses the right button and keeps it down.",
     "RDown\nMouseMove >320,240\nRUp", "Holds the right button down.", "RUp"},
    {"RUp", G::Mouse, "RUp", "Lets go of the right button where the pointer is.", "RDown\nRUp",
     "Lets go of the right button.", "RDown"},
    {"Repeat", G::Flow, "Repeat >count",
     "Marks the start of a block that End_Repeat plays count times in all. A count of 1 or "
     "less, or one that is no number, plays the block once. Blocks do not nest: a Repeat "
     "inside a block starts a new block. However many times a block plays, Stop ends it "
     "before its next line and the windows answer meanwhile.",
     "Repeat >3\nSendText >again\nPress_Enter\nEnd_Repeat", "Starts a block played count times.",
     "End_Repeat Loop"},
    {"End_Repeat", G::Flow, "End_Repeat",
     "Marks the end of the block that the last Repeat started and plays it again until it "
     "has played count times. Stop ends the pass under way before its next line and starts "
     "no further one.",
     "Repeat >2\nPress_Down\nEnd_Repeat", "Ends the block of the last Repeat.", "Repeat"},
    {"Loop", G::Flow, "Loop",
     "Starts the macro over from its first line, again and again until Stop is pressed. Lines "
     "after Loop never play.",
     "SendText >tick\nWait >60\nLoop", "Starts the macro over until it is stopped.", "Repeat Wait"},
    {"CloseWindow", G::Windows, "CloseWindow >part of a window title",
     "Asks the first window whose title contains the text (in any case) to close, as its "
     "close box does, and goes on without waiting. With no such window, or an empty value, "
     "nothing happens.",
     "CloseWindow >Untitled - Notepad", "Asks a window to close.", "WaitForWindow SetFocus"},
    {"MessageBox", G::WaitsAndMessages, "MessageBox >text",
     "Shows a message box with the text and an OK button and waits until it is answered.",
     "MessageBox >The report is ready.", "Shows your text and waits for OK.", "Message Wait"},
};

#undef F_KEY_DOC
#undef KEY_DOC

}  // namespace

std::span<const CommandGroupInfo> commandGroups() {
    return kGroups;
}

std::span<const CommandDoc> commandDocs() {
    return kDocs;
}

const CommandDoc* findCommandDoc(std::string_view word) {
    for (const CommandDoc& doc : kDocs) {
        if (doc.word == word)
            return &doc;
    }
    return nullptr;
}

}  // namespace keyreel::help
