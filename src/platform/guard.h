#pragma once
// The one guard for what the windows run on the user's behalf. An exception
// that escapes a step (a damaged table, a file that cannot be read) ends that
// step: its own text goes to the log, and the user reads a Serbian sentence
// that says what happened and what to do. Every connection whose handler can
// throw goes through connectGuarded; the application's event dispatch uses
// reportFailure as the last net.
#include <QObject>
#include <exception>
#include <functional>
#include <utility>

namespace platform {

// What the user reads when a step failed (plain ASCII: message boxes use the
// system font).
inline constexpr const char* kStepFailed =
    "Radnja nije izvrsena zbog greske pri citanju ili upisu podataka. Pokusajte ponovo; ako se "
    "greska ponavlja, ponovo pokrenite program, a po potrebi i instalaciju. Opis greske je "
    "upisan u datoteku korvet.log pored programa.";

// Logs the exception's text and shows kStepFailed.
void reportFailure(const std::exception& error);
// The same for an exception that is no std::exception.
void reportUnknownFailure();

// Runs step; an exception that escapes it is reported and the step ends.
void guarded(const std::function<void()>& step);

// QObject::connect with the slot run through guarded(). The slot may take
// the signal's arguments or fewer, as with connect.
template <typename Sender, typename Signal, typename Slot>
QMetaObject::Connection connectGuarded(const Sender* sender, Signal signal, const QObject* context,
                                       Slot slot) {
    return QObject::connect(sender, signal, context,
                            [slot = std::move(slot)](auto&&... args)
                                -> decltype(void(slot(std::forward<decltype(args)>(args)...))) {
                                guarded([&] { slot(std::forward<decltype(args)>(args)...); });
                            });
}

}  // namespace platform
