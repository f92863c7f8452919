#pragma once

// The Climate window's list of envelopes to draw over the hours and count: the named ones to
// tick and the user's own typed one a line (models/climate_envelopes.h reads them).

#include "envelopes/envelope.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace hygrovane::views {

class EnvelopeChooser : public QWidget {
    Q_OBJECT

  public:
    explicit EnvelopeChooser(QWidget* owner = nullptr);

    // Called with the ticked envelopes, then the typed ones, whenever the choice changes and reads.
    std::function<void(std::vector<envelopes::Envelope>)> chosen;

    // Ticks exactly the named envelopes (unknown names are ignored), as a click on each would.
    void tick(const std::vector<std::string>& names);
    // The typed envelopes' text, as Apply would read it; false (with the reason shown) when a
    // line cannot be read, and nothing changes.
    bool applyTyped(const std::string& text);

  private:
    void apply();

    QListWidget* list_ = nullptr;
    QPlainTextEdit* typed_ = nullptr;
    QLabel* message_ = nullptr;
};

} // namespace hygrovane::views
