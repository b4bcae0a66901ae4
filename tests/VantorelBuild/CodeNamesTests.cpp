#include <gtest/gtest.h>

#include <string>

#include "Vantorel/build/CodeNames.h"
#include "Vantorel/platform/UserLocale.h"
#include "VantorelData/model/ColorItem.h"

using namespace vantorel::build;

namespace {

struct TransformCase {
    const char* text;
    const char* none;
    const char* camel;
    const char* pascal;
    const char* snake;
    const char* kebab;
};

}  // namespace

TEST(CodeNames, TransformUnderEveryCaseStyle) {
    const TransformCase cases[] = {
        {"Brand primary-500", "Brand primary-500", "brandPrimary500", "BrandPrimary500", "brand_primary-500",
         "brand-primary-500"},
        {"--//--", "--//--", "", "", "--//--", "--//--"},
        {"Red/Blue", "Red/Blue", "redBlue", "RedBlue", "red/blue", "red/blue"},
        {"", "", "", "", "", ""},
        {"ÉCLAIR au chocolat", "ÉCLAIR au chocolat", "éclairAuChocolat", "ÉclairAuChocolat", "éclair_au_chocolat",
         "éclair-au-chocolat"},
        {"HTTP  server", "HTTP  server", "httpServer", "HttpServer", "http__server", "http--server"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(transform(c.text, NameTransform::none), c.none) << c.text;
        EXPECT_EQ(transform(c.text, NameTransform::camelCase), c.camel) << c.text;
        EXPECT_EQ(transform(c.text, NameTransform::pascalCase), c.pascal) << c.text;
        EXPECT_EQ(transform(c.text, NameTransform::snakeCase), c.snake) << c.text;
        EXPECT_EQ(transform(c.text, NameTransform::kebabCase), c.kebab) << c.text;
    }
}

// Plain ASCII text is transformed on a short path of its own, which must agree with the Unicode
// path: text that ends in a non-ASCII word takes that path and transforms its ASCII part alike.
TEST(CodeNames, AsciiTextTransformsAsTheUnicodePathDoes) {
    const std::string lowerE = "\xC3\xA9", upperE = "\xC3\x89";  // é, É
    for (int a = 0; a < 0x80; ++a) {
        for (int b = 0; b < 0x80; b += 3) {
            const std::string text{static_cast<char>(a), static_cast<char>(b), 'A'};
            for (auto style : {NameTransform::none, NameTransform::snakeCase, NameTransform::kebabCase}) {
                const std::string tail = style == NameTransform::none ? upperE : lowerE;
                EXPECT_EQ(transform(text + upperE, style), transform(text, style) + tail) << text;
            }
            const std::string camel = transform(text, NameTransform::camelCase);
            EXPECT_EQ(transform(text + " " + upperE, NameTransform::camelCase), camel + (camel.empty() ? lowerE : upperE))
                << text;
            EXPECT_EQ(transform(text + " " + upperE, NameTransform::pascalCase),
                      transform(text, NameTransform::pascalCase) + upperE)
                << text;
        }
    }
}

TEST(CodeNames, CodeNameJoinsNamespacesThenAddsPrefixAndSuffix) {
    const std::vector<std::string> path = {"Brand", "Core"};
    const std::pair<NameTransform, const char*> cases[] = {
        {NameTransform::none, "dsBrandCorePrimary Blue"},
        {NameTransform::camelCase, "dsbrandCorePrimaryBlue"},
        {NameTransform::pascalCase, "dsBrandCorePrimaryBlue"},
        {NameTransform::snakeCase, "dsbrand_core_primary_blue"},
        {NameTransform::kebabCase, "dsbrand-core-primary-blue"},
    };
    for (const auto& [nameTransform, expected] : cases) {
        EXPECT_EQ(codeName("Primary Blue", nameTransform, std::string("ds"), std::nullopt, path), expected);
    }
    // An empty prefix or suffix behaves as none; a suffix is appended untransformed.
    EXPECT_EQ(codeName("Primary", NameTransform::camelCase, std::string(""), std::string("Color"), {}),
              "primaryColor");
    // A piece that transforms to nothing does not add a separator.
    EXPECT_EQ(codeName("Blue", NameTransform::snakeCase, std::nullopt, std::nullopt, {}), "blue");
}

// Code-safe text keeps letters, numbers and underscores; a slashed name upper-cases after each slash.
TEST(CodeNames, CodeSafeTextAndSlashedNames) {
    const std::pair<const char*, const char*> safe[] = {
        {"3rd tier", "color3rdtier"}, {"é-clair", "éclair"}, {"", ""},       {"---", ""},
        {"_private", "_private"},     {"a_b-c d", "a_bcd"},   {"٣x", "color٣x"},
    };
    for (const auto& [text, expected] : safe) EXPECT_EQ(codeSafe(text, "color"), expected) << text;
    const std::pair<const char*, const char*> slashed[] = {
        {"Brand/primary", "BrandPrimary"}, {"a/b/c", "aBC"}, {"trailing/", "trailing"},
        {"/lead", "Lead"},                 {"no slash", "no slash"}, {"x/é", "xÉ"},
    };
    for (const auto& [text, expected] : slashed) EXPECT_EQ(joinSlashedName(text), expected) << text;
}

TEST(CodeNames, NumberTextsFollowTheUserLocale) {
    struct Case {
        const char* locale;
        double value;
        const char* shortText;
        const char* oneDecimal;
    };
    const Case cases[] = {
        {"en_US_POSIX", 1.23456, "1.2346", "1.2"}, {"en_US_POSIX", 2, "2", "2"},
        {"en_US_POSIX", 12345678.5, "12345678.5", "12345678.5"}, {"en_US_POSIX", -0.25, "-0.25", "-0.2"},
        {"en_US_POSIX", 0.00004, "0", "0"},        {"de_DE", 1.5, "1,5", "1,5"},
        {"de_DE", 1234.125, "1234,125", "1234,1"},
    };
    for (const auto& c : cases) {
        vantorel::platform::overrideUserLocale(c.locale);
        EXPECT_EQ(shortNumberText(c.value), c.shortText) << c.locale << " " << c.value;
        EXPECT_EQ(oneDecimalNumberText(c.value), c.oneDecimal) << c.locale << " " << c.value;
    }
    vantorel::platform::overrideUserLocale("");
}

namespace {

vantorel::ProjectItemPtr groupItem(const std::string& name, bool providesNamespace,
                                   std::vector<vantorel::ProjectItemPtr> children) {
    return vantorel::QuenzColorProjectItem::make(
        name, std::make_shared<vantorel::QuenzColorGroup>(std::move(children), providesNamespace));
}

}  // namespace

TEST(CodeNames, NamespacePathListsEnclosingGroupsOutermostFirst) {
    using namespace vantorel;
    auto primary = QuenzColorProjectItem::make("Primary", std::make_shared<QuenzColorItem>());
    auto top = QuenzColorProjectItem::make("Top", std::make_shared<QuenzColorItem>());
    auto core = groupItem("Core", true, {primary});
    auto plain = groupItem("Plain", false, {core});
    auto brand = groupItem("Brand", true, {plain});
    QuenzColorProject project;
    project.setItems({brand, top});

    using Names = std::vector<std::string>;
    EXPECT_EQ(namespacePath(project, *primary, true), (Names{"Brand", "Core"}));
    EXPECT_EQ(namespacePath(project, *primary, false), (Names{"Brand", "Plain", "Core"}));
    EXPECT_EQ(namespacePath(project, *top, true), Names{});
    auto stray = QuenzColorProjectItem::make("Stray", std::make_shared<QuenzColorItem>());
    EXPECT_EQ(namespacePath(project, *stray, false), Names{});

    // The one-walk form agrees with the item-by-item form.
    for (bool namespacesOnly : {true, false}) {
        auto all = allNamespacePaths(project, namespacesOnly);
        for (const auto& item : {primary, top, core, plain, brand}) {
            EXPECT_EQ(all.pathOf(*item), namespacePath(project, *item, namespacesOnly)) << item->name();
        }
    }
}
