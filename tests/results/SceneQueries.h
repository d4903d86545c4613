#pragma once

#include "draw/Scene.h"

#include <string>
#include <vector>

/// What a test asks of a built scene: the texts and arrows of one group.
inline std::vector<std::string> TextsOf(const draw::Group &g)
{
    std::vector<std::string> texts;
    for (const draw::Item &item : g.items) {
        if (const auto *t = std::get_if<draw::Text>(&item.shape))
            texts.push_back(t->text);
    }
    return texts;
}

inline std::vector<draw::Arrow> ArrowsOf(const draw::Group &g)
{
    std::vector<draw::Arrow> arrows;
    for (const draw::Item &item : g.items) {
        if (const auto *a = std::get_if<draw::Arrow>(&item.shape))
            arrows.push_back(*a);
    }
    return arrows;
}

template <class T>
std::vector<T> ShapesOf(const draw::Group &g)
{
    std::vector<T> shapes;
    for (const draw::Item &item : g.items) {
        if (const auto *s = std::get_if<T>(&item.shape))
            shapes.push_back(*s);
    }
    return shapes;
}

/// Every text of the scene, all groups.
inline std::vector<std::string> AllTexts(const draw::Scene &scene)
{
    std::vector<std::string> texts;
    for (const draw::Group &g : scene.groups) {
        for (const std::string &t : TextsOf(g))
            texts.push_back(t);
    }
    return texts;
}

/// The names of the scene's groups, in order.
inline std::vector<std::string> GroupNames(const draw::Scene &scene)
{
    std::vector<std::string> names;
    for (const draw::Group &g : scene.groups)
        names.push_back(g.name);
    return names;
}
