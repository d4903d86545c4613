#pragma once

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <map>
#include <string>
#include <vector>

/// A drawing read back with dxflib: the layers, the entities of each layer, the texts, the
/// blocks and their inserts, as the tests compare them with the scene written.
struct DxfReadBack : DL_CreationAdapter
{
    std::map<std::string, int> layerColors;
    std::map<std::string, int> perLayer; ///< entities of every block and of model space
    std::vector<std::string> texts;
    std::vector<std::string> blocks;
    std::vector<std::string> inserts;
    int dimensions = 0;
    int hatches = 0;

    bool read(const std::string &path)
    {
        DL_Dxf dxf;
        return dxf.in(path, this);
    }

    void count() { ++perLayer[attributes.getLayer()]; }
    void addLayer(const DL_LayerData &d) override { layerColors[d.name] = attributes.getColor(); }
    void addBlock(const DL_BlockData &d) override { blocks.push_back(d.name); }
    void addLine(const DL_LineData &) override { count(); }
    void addArc(const DL_ArcData &) override { count(); }
    void addCircle(const DL_CircleData &) override { count(); }
    void addPolyline(const DL_PolylineData &) override { count(); }
    void addSolid(const DL_SolidData &) override { count(); }
    void addText(const DL_TextData &d) override
    {
        count();
        texts.push_back(d.text);
    }
    void addInsert(const DL_InsertData &d) override
    {
        count();
        inserts.push_back(d.name);
    }
    void addDimAlign(const DL_DimensionData &, const DL_DimAlignedData &) override
    {
        count();
        ++dimensions;
    }
    void addHatch(const DL_HatchData &) override
    {
        count();
        ++hatches;
    }
};
