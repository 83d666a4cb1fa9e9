#pragma once
// The one error type of the data store: every SQLite or file-system failure becomes a StoreError.

#include <QString>
#include <stdexcept>

namespace store {

class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

}  // namespace store
