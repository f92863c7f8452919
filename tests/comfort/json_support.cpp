#include "json_support.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace hygrovane::comfort::test {

const Json* Json::find(const std::string& key) const {
    const auto it = members.find(key);
    return it == members.end() ? nullptr : &it->second;
}

namespace {

Json FromQt(const QJsonValue& value) {
    Json json;
    switch (value.type()) {
    case QJsonValue::Bool:
        json.type = Json::Type::Bool;
        json.boolean = value.toBool();
        break;
    case QJsonValue::Double:
        json.type = Json::Type::Number;
        json.number = value.toDouble();
        break;
    case QJsonValue::String:
        json.type = Json::Type::String;
        json.text = value.toString().toStdString();
        break;
    case QJsonValue::Array:
        json.type = Json::Type::Array;
        for (const QJsonValue& item : value.toArray()) {
            json.items.push_back(FromQt(item));
        }
        break;
    case QJsonValue::Object: {
        json.type = Json::Type::Object;
        const QJsonObject object = value.toObject();
        for (auto member = object.begin(); member != object.end(); ++member) {
            json.members[member.key().toStdString()] = FromQt(member.value());
        }
        break;
    }
    default:
        break;
    }
    return json;
}

} // namespace

std::size_t CasesOf(const Json& row) {
    std::size_t n = 1;
    for (const char* part : {"inputs", "outputs"}) {
        if (const Json* p = row.find(part)) {
            for (const auto& [key, value] : p->members) {
                if (value.type == Json::Type::Array) {
                    n = std::max(n, value.items.size());
                }
            }
        }
    }
    return n;
}

const Json& CaseValue(const Json& field, std::size_t i) {
    return field.type == Json::Type::Array ? field.items.at(i) : field;
}

const Json* Field(const Json& row, const char* part, const char* key, std::size_t i) {
    const Json* p = row.find(part);
    const Json* f = p ? p->find(key) : nullptr;
    return f ? &CaseValue(*f, i) : nullptr;
}

std::string RowText(const Json& row, std::size_t i) {
    std::ostringstream out;
    if (const Json* source = row.find("source")) {
        out << source->text << ": ";
    }
    if (const Json* inputs = row.find("inputs")) {
        for (const auto& [key, value] : inputs->members) {
            const Json& v = CaseValue(value, i);
            out << key << "=";
            if (v.type == Json::Type::Number) {
                out << v.number;
            } else if (v.type == Json::Type::String) {
                out << v.text;
            } else if (v.type == Json::Type::Bool) {
                out << (v.boolean ? "true" : "false");
            }
            out << " ";
        }
    }
    return out.str();
}

std::string ComfortDataPath(const std::string& name) {
    return std::string(HYGROVANE_COMFORT_DATA) + "/" + name;
}

std::string SharedDataPath(const std::string& name) {
    return std::string(HYGROVANE_SHARED_DATA) + "/" + name;
}

Json LoadTable(const std::string& name) {
    QFile file(QString::fromStdString(ComfortDataPath(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError)
        << name << ": " << error.errorString().toStdString() << " at offset " << error.offset;
    return document.isObject()  ? FromQt(document.object())
           : document.isArray() ? FromQt(document.array())
                                : Json{};
}

} // namespace hygrovane::comfort::test
