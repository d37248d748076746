#pragma once
// How the windows learn of each other: only here, where the program creates
// them. A window tells what happened through its Qt signals and asks what it
// needs through its Links (std::function members); each function below
// connects the signals of a pair of windows to the other's operations and
// fills their Links. The windows themselves include no other window's header.
class TForm1;
class TForm2;
class TForm3;
class TForm5;
class Tdokumenti;
class Tporedjenje;
class Trelacije;
class Tselekt;
class Tupdater;

namespace engine {
class Session;
}

namespace app {

// The start-up window's hand-over shows the main window and makes its
// dohints the application's hint handler; the main window's first activation
// hides the start-up window and stops its timer, and its close closes the
// start-up window (which ends the program).
void wireStartup(TForm2& startup, TForm1& main);

// The main window's opening flows show the document window (a regulation or
// an opinion); the document window's marking, archive jump and close reach
// the main window, and the application's hint reaches its status bar. An
// opening from a keyword search's list hands the search words over, whose
// hits the document shows.
void wireDocument(TForm1& main, TForm3& document);

// The main window's "Lista najnovijih propisa" shows the selection window
// with its rows; the selection window's opening, archive test, archive jump,
// marking and close reach the main window, and the main window's archive jump
// closes the selection window when it shows.
void wireSelection(TForm1& main, Tselekt& selection);

// The settings page's "A`uriranje" shows the update window modally, and its
// "Popravka" repairs the tables on the update window's utility session, with
// the progress on the main window's bar. The update window takes the proxy
// from the main window's settings; an installed archive's newest list,
// update date and counts reach the main window, and after an install or a
// repair the main window rebuilds the search index in the background.
void wireUpdate(TForm1& main, Tupdater& updater);
// The document window's "&Dodatne informacije" shows the notes window, which
// prints through the document window's print-preview component; "&Prilozi"
// shows the attachments window.
void wireNotes(TForm3& document, TForm5& notes);
void wireAttachments(TForm3& document, Tdokumenti& attachments);

// The document window's "Relacije" fills and shows the relations window; a
// document chosen there runs the main window's search for its title, and the
// document window closes after the relations window.
void wireRelations(TForm1& main, TForm3& document, Trelacije& relations);

// The archive page's "Uporedi verzije" and the document window's command of
// the same name show the comparison window for that regulation's chain.
void wireCompare(engine::Session& session, TForm1& main, TForm3& document, Tporedjenje& comparison);

}  // namespace app
