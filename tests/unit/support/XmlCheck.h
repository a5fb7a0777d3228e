#pragma once
// Reads a document with libxml2, a reader independent of ours, and lists its elements in document
// order as "/PATH/NAME[attr=value]=text" (text of leaf elements, in UTF-8).
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <string>
#include <vector>

namespace testsupport {

struct CParsedXml {
    bool wellFormed = false;
    std::string encoding;               // as declared and accepted by the parser
    std::vector<std::string> elements;
    std::vector<std::string> paths;    // the same without the texts
};

inline void ListElements(xmlNode* node, const std::string& parent, CParsedXml& out) {
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        std::string path = parent + "/" + reinterpret_cast<const char*>(node->name);
        for (xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
            xmlChar* value = xmlNodeGetContent(reinterpret_cast<xmlNode*>(attribute));
            path += "[" + std::string(reinterpret_cast<const char*>(attribute->name)) + "=" +
                    reinterpret_cast<const char*>(value) + "]";
            xmlFree(value);
        }
        out.paths.push_back(path);
        if (xmlFirstElementChild(node)) {
            out.elements.push_back(path);
            ListElements(node->children, path, out);
        } else {
            xmlChar* text = xmlNodeGetContent(node);
            out.elements.push_back(path + "=" + reinterpret_cast<const char*>(text));
            xmlFree(text);
        }
    }
}

inline CParsedXml ParseXml(const std::string& bytes) {
    CParsedXml parsed;
    xmlDoc* doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "report.xml", nullptr,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc) return parsed;
    parsed.wellFormed = true;
    if (doc->encoding) parsed.encoding = reinterpret_cast<const char*>(doc->encoding);
    ListElements(xmlDocGetRootElement(doc), "", parsed);
    xmlFreeDoc(doc);
    return parsed;
}

}  // namespace testsupport
