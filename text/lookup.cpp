#include "text/lookup.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace text {

namespace {

const QString finals = QStringLiteral("\u2026.:");

// The catalogue of the user's language, loaded on first use.
class TranslatorCatalogue : public Catalogue {
public:
    TranslatorCatalogue() { loaded_ = translator_.load(QLocale(), QStringLiteral("vesko"), QStringLiteral("_"), QStringLiteral(":/i18n")); }

    std::optional<fw::Text> find(const fw::Text& key) const override
    {
        if (!loaded_)
            return std::nullopt;
        const QString found = translator_.translate("Localizable", key.toUtf8().constData());
        if (found.isEmpty())
            return std::nullopt;
        return found;
    }

private:
    QTranslator translator_;
    bool loaded_ = false;
};

const Catalogue* replacement = nullptr;

const Catalogue& current()
{
    if (replacement)
        return *replacement;
    static TranslatorCatalogue user;
    return user;
}

QString lineEndingsToStars(const QString& text)
{
    const QString star = QStringLiteral("*");
    return fw::ReplaceAll(fw::ReplaceAll(fw::ReplaceAll(text, QStringLiteral("\r\n"), star), QStringLiteral("\r"), star),
                          QStringLiteral("\n"), star);
}

}  // namespace

fw::Text lookupKey(const fw::Text& text)
{
    QString key = lineEndingsToStars(text);
    if (!key.isEmpty() && finals.contains(key.back()))
        key.chop(1);
    return key;
}

fw::Text lookup(const fw::Text& text, const Catalogue& table)
{
    if (text.isEmpty() || text == QLatin1String("-"))
        return text;
    QString key = lineEndingsToStars(text);
    QString cut;
    if (finals.contains(key.back())) {
        cut = key.back();
        key.chop(1);
    }
    QString result = table.find(key).value_or(key);
    if (result.isEmpty() && cut.isEmpty())
        return key;
    result += cut;
    return fw::ReplaceAll(result, QStringLiteral("*"), fw::EndOfLine());
}

fw::Text lookup(const fw::Text& text) { return lookup(text, current()); }

void setCatalogue(const Catalogue* table) { replacement = table; }

}  // namespace text
