#include "syntaxbox/StyleSet.h"

const char* slotName(StyleSlot slot) {
    switch (slot) {
    case StyleSlot::Tag: return "Tag";
    case StyleSlot::AttributeName: return "AttributeName";
    case StyleSlot::AttributeValue: return "AttributeValue";
    case StyleSlot::Comment: return "Comment";
    case StyleSlot::Entity: return "Entity";
    case StyleSlot::None: break;
    }
    return "None";
}

const CharStyle& StyleSet::operator[](StyleSlot slot) const {
    return const_cast<StyleSet&>(*this)[slot];
}

CharStyle& StyleSet::operator[](StyleSlot slot) {
    switch (slot) {
    case StyleSlot::AttributeName: return attributeName;
    case StyleSlot::AttributeValue: return attributeValue;
    case StyleSlot::Comment: return comment;
    case StyleSlot::Entity: return entity;
    default: return tag;
    }
}
