#pragma once
// What an operation on the platform gives back: nothing or a value, or the French
// description of why it failed, ready to be shown to the user.

#include <QString>
#include <optional>
#include <utility>

class [[nodiscard]] Status {
public:
    static Status ok() { return Status(); }
    static Status failure(QString description) { return Status(std::move(description)); }

    bool isOk() const { return !m_error.has_value(); }
    explicit operator bool() const { return isOk(); }
    const QString& error() const { return *m_error; }

private:
    Status() = default;
    explicit Status(QString description) : m_error(std::move(description)) {}
    std::optional<QString> m_error;
};

template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {} // NOLINT: a value is a success
    Result(Status failure) : m_error(failure.isOk() ? QString() : failure.error()) {} // NOLINT

    bool isOk() const { return m_value.has_value(); }
    explicit operator bool() const { return isOk(); }
    const T& value() const& { return *m_value; }
    T value() && { return std::move(*m_value); }
    T valueOr(T fallback) const { return m_value.value_or(std::move(fallback)); }
    const QString& error() const { return m_error; }
    Status status() const { return isOk() ? Status::ok() : Status::failure(m_error); }

private:
    std::optional<T> m_value;
    QString m_error;
};
