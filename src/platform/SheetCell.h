#pragma once
// One cell of a Sheet: empty, a number or a text. Only Sheet and its helpers use it directly.
// A cell is 16 bytes so that a sheet of a million rows of numbers stays small; a text lives on
// the heap behind the cell (a QString by value would make every cell twice as big).
#include <QString>
#include <cstdint>
#include <utility>

class SheetCell {
public:
    enum class Kind : std::uint8_t { Empty, Number, Text };

    SheetCell() noexcept
        : payload_{0.0} {}
    explicit SheetCell(double value) noexcept
        : payload_{value}
        , kind_(Kind::Number) {}
    // An empty text makes an empty cell: a sheet has no empty-text cells.
    explicit SheetCell(const QString& text)
        : payload_{0.0} {
        if (!text.isEmpty()) {
            payload_.text = new QString(text);
            kind_ = Kind::Text;
        }
    }
    SheetCell(const SheetCell& other)
        : payload_(other.payload_)
        , kind_(other.kind_) {
        if (kind_ == Kind::Text) {
            payload_.text = new QString(*other.payload_.text);
        }
    }
    SheetCell(SheetCell&& other) noexcept
        : payload_(other.payload_)
        , kind_(other.kind_) {
        other.kind_ = Kind::Empty;
    }
    SheetCell& operator=(const SheetCell& other) {
        if (this != &other) {
            SheetCell copy(other);
            swap(copy);
        }
        return *this;
    }
    SheetCell& operator=(SheetCell&& other) noexcept {
        SheetCell moved(std::move(other));
        swap(moved);
        return *this;
    }
    ~SheetCell() {
        if (kind_ == Kind::Text) {
            delete payload_.text;
        }
    }

    void swap(SheetCell& other) noexcept {
        std::swap(payload_, other.payload_);
        std::swap(kind_, other.kind_);
    }

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    double number() const { return kind_ == Kind::Number ? payload_.number : 0.0; }
    // The stored text; empty for numbers and empty cells.
    const QString& storedText() const {
        static const QString none;
        return kind_ == Kind::Text ? *payload_.text : none;
    }

private:
    // Copying the union copies whichever member is live; swap and move rely on that.
    union Payload {
        double number;
        QString* text;
    };
    Payload payload_;
    Kind kind_ = Kind::Empty;
};

inline void swap(SheetCell& a, SheetCell& b) noexcept {
    a.swap(b);
}
