// The two METAR decoders on real reports and on broken ones: what each group kind fills, what
// the reset clears and keeps, the extension codes read through the settings' tables, and the
// plain METAR made of a simulator report.
#include "core/Codec.h"
#include "core/IniFile.h"
#include "state/Settings.h"
#include "weather/Metar.h"

#include <gtest/gtest.h>

namespace zaz::test {
namespace {

// Only the parts that hold something, in record order.
QString Wind(const t_wind &w)
{
    QString s = w.altitude.isEmpty() && w.temperature.isEmpty() ? QString() : w.altitude + "ft" + w.temperature + "C ";
    s += w.direction + "/" + w.speed + (w.gust.isEmpty() ? "" : "G" + w.gust) + w.unit;
    if (!(w.sectorStart + w.sectorEnd).isEmpty())
        s += " V" + w.sectorStart + "-" + w.sectorEnd;
    if (!(w.depth + w.turbulence + w.shear).isEmpty())
        s += " &" + QStringList{w.depth, w.turbulence, w.shear}.join(',');
    return s == "/" ? QString() : s;
}

QString Shown(const WeatherState &state)
{
    const t_weather &w = state.CurrentWeather;
    QStringList o{w.station + (w.elevation ? "@" + QString::number(w.elevation) : "")};
    const auto add = [&o](const char *name, const QString &value) {
        if (!value.isEmpty())
            o << name + ("=" + value);
    };
    const auto flag = [&o](bool set, const char *name) {
        if (set)
            o << name;
    };
    if (!w.reportType.isEmpty())
        o << w.reportType;
    flag(w.autoReport, "AUTO");
    flag(w.corrected, "COR");
    add("time", w.time);
    add("wind", Wind(w.wind));
    for (const t_wind &layer : w.windsAloft)
        add("aloft", Wind(layer));
    flag(w.cavok, "CAVOK");
    for (const t_visibility &v : w.visibilities)
        add("vis", v.distance + ((v.base + v.depth).isEmpty() ? "" : "&" + v.base + "," + v.depth));
    for (const t_runwayvisual &r : w.runwayVisualRanges)
        add("rvr", r.runway + "/" + r.range);
    const t_condition &c = w.condition;
    add("wx", (c.intensity + c.descriptor + c.phenomenon).isEmpty() ? "" : c.intensity + "|" + c.descriptor + "|" + c.phenomenon);
    add("sum", w.skySummary);
    for (const t_cloud &k : w.clouds) {
        const QStringList ext{k.top, k.turbulence, k.precipIntensity, k.precipType, k.base, k.icing};
        add("cloud", k.cover + "@" + k.height + (ext.join("").isEmpty() ? "" : "&" + ext.join(',')));
    }
    for (const t_temperature &t : w.temperatures)
        add("temp", t.temperature.isEmpty() && t.dewPoint.isEmpty() ? "" : t.temperature + "/" + t.dewPoint + (t.altitude.isEmpty() ? "" : "@" + t.altitude));
    add("p", w.pressureText);
    add("qnh", state.qnhText);
    add("alt", state.altimeterText);
    add("unit", state.windUnit);
    return o.join(' ');
}

// A state with the tables read from settings text as at start-up, and a previous
// elevation that only an "&A" extension may change.
WeatherState Prepared()
{
    IniFile ini(QString{});
    ini.loadFromBytes(EncodeCp1252(QStringLiteral("[turbulence]\nN=nulle\nL=légère\n[shear]\nG=graduel\n[conditions descriptor]\nSH=averses\n"
                      "[conditions phenomena]\nRA=pluie\n[cloud typ]\nBKN=fragmenté\nST=stratus\n[cloud top]\nF=plat\n"
                      "[precipitation intensity]\nM=modérée\n[precipitation typ]\nN=aucune\n[icing rate]\nN=nul\n")));
    WeatherState state;
    SettingsReport report;
    Settings::ReadWeather(ini, state, report);
    state.CurrentWeather.elevation = 77;
    return state;
}

const QString kFullSim = QStringLiteral(
    "LFPG&A0119 METAR AUTO 041200Z 27015KT&D980NG 200V280 27020KT&A1500LG 250V290 CAVOK 9999&B-1500&D3000 "
    "R27/2000FT R09/1500FT +SHRA BKN030 8ST030&ST001FNMN005N 15/10&A0 05/M02&A3000 A2992 "
    "@@@ 30 15 270 20 | 60 10 280 25 | 90 5 290 30 |");

} // namespace

TEST(Metar, StandardReportGroupByGroup)
{
    struct Case {
        const char *metar, *shown;
    };
    const Case cases[] = {
        {"LFPG 041200Z 24015G25KT 200V280 9999 -SHRA FEW030 BKN080CB 15/M02 Q1013",
         "LFPG@77 wind=240/15G25KT V200-280 vis=9999 wx=light|shower|rain cloud=2/8@3000 cloud=6/8CB@8000 "
         "temp=15/-02 p=1013 qnh=1013 alt=29.92"},
        // "AUTO" is no altimeter group; the remark after the pressure changes nothing.
        {"KJFK 061251Z AUTO VRB03KT 10SM SCT250 M05/M12 A2992 RMK AO2",
         "KJFK@77 AUTO wind=VRB/03KT vis=10SM cloud=4/8@25000 temp=-05/-12 p=1013 qnh=1013 alt=29.92"},
        {"LFLL 061300Z 21/15 CAVOK Q1020", "LFLL@77 CAVOK temp=21/15 p=1020 qnh=1020 alt=30.12"},
        // Only the first temperature and the first readable pressure count.
        {"LFLL&A250 061300Z 27010MPS 9999 12/08 10/05 QBAD A29X2 Q1015 A3001",
         "LFLL@250 wind=270/10MPS vis=9999 temp=12/08 p=1015 qnh=1015 alt=29.98 unit=MPS"},
        {"EGLL 061250Z 31012KMH 250V310", "EGLL@77 wind=310/12KMH V250-310 unit=KMH"},
        {"LFLL&Axyz 1300Z BKN/// SKC OVC020TCU -RASN MIFG",
         "LFLL wx=moderate|mince|fog cloud=6/8@ cloud=sky clear@ cloud=8/8TCU@2000"},
        {"LFLL 1300Z -RASN", "LFLL@77 wx=light||snow"},
        {"LFLL 1300Z +VCTSRA", "LFLL@77 wx=heavy|vicinity|rain"},
        // Broken groups: nothing read beyond them.
        {"", "@77"},
        {"LFLL&A 1/ M1/ KT 9KMH", "LFLL wind=9/KMH temp=-1// unit=KMH"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.metar);
        WeatherState state = Prepared();
        DecodeMetar(state, c.metar);
        EXPECT_EQ(Shown(state), QString::fromUtf8(c.shown));
        EXPECT_EQ(state.CurrentWeather.visibilities.size(), 1);
        EXPECT_EQ(state.CurrentWeather.temperatures.size(), 1);
    }
}

TEST(Metar, SimulatorReportWithExtensionsAndWindsAloft)
{
    struct Case {
        QString metar;
        const char *shown;
    };
    const Case cases[] = {
        // The third layer's extension is not read: the layers but the last one have theirs.
        {kFullSim,
         "LFPG@119 METAR AUTO time=041200Z wind=270/15KT V200-280 &980,nulle,graduel "
         "aloft=3000ft15C 270/20KT V250-290 &1500,légère,graduel aloft=6000ft10C 280/25KT aloft=9000ft5C 290/30KT "
         "CAVOK vis=9999&-1500,3000 rvr=27/2000FT rvr=09/1500FT wx=+|averses|pluie sum=BKN030 "
         "cloud=8/8 stratus@03000&plat,nulle,modérée,aucune,500,nul temp=15/10@0 temp=05/M02@3000 "
         "p=2992inchHG qnh=1013 alt=29.92"},
        {"LFMN&A0004 SPECI COR 061200Z NIL 27015KT Q1010", "LFMN@4 SPECI COR time=061200Z"},
        {"EDDF 061220Z 09005G15MPS", "EDDF@77 time=061220Z wind=090/05G15MPS unit=MPS"},
        // Codes missing from the tables stand for themselves; unreadable numbers.
        {"LFLL 061300Z 18005KT VCSH CUX030&ST001FNMNxxxN 8CI020 12/08 Qabc @@@ xx 5 180 10 |",
         "LFLL@77 time=061300Z wind=180/05KT aloft=ft5C 180/10KT wx=|VC|SH "
         "cloud=CUX@03000&plat,nulle,modérée,aucune,,nul cloud=8CI@02000 temp=12/08 p=abchPa qnh=abc alt=0.00"},
        // Without temperatures the pressure ends the cloud layers.
        {"LFLL 1300Z 27010KT BKN030 OVC080 Q1013",
         "LFLL@77 time=1300Z wind=270/10KT sum=BKN030 cloud=OVC@08000 p=1013hPa qnh=1013 alt=29.92"},
        {"LFLL 1300Z 00000KT 15/10 AXYZ", "LFLL@77 time=1300Z wind=000/00KT temp=15/10 p=XYZinchHG qnh=0 alt=0.00"},
        // Broken groups.
        {"X&A 1 2&Q 3&", "X&A@77 time=1 wind=2/ cloud=3&@00"},
        {"LFLL 1300Z 27010KT& R/FT RFT +", "LFLL@77 time=1300Z wind=270/10KT rvr=/FT rvr=FT/ wx=||+"},
        {"@@@", "@77 AUTO COR"},
        {"|||@@@ a b c d|", "|||@77 AUTO COR aloft=ftbC c/dKT"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.metar.toStdString());
        WeatherState state = Prepared();
        state.CurrentWeather.autoReport = state.CurrentWeather.corrected = true; // cleared when their turn comes
        DecodeSimMetar(state, c.metar);
        EXPECT_EQ(Shown(state), QString::fromUtf8(c.shown));
    }
}

TEST(Metar, EachDecodeClearsTheLastReportButKeepsTheStationSettings)
{
    struct Case {
        void (*decode)(WeatherState &, const QString &);
        const char *shown;
    };
    // Runway ranges of the last report never outlive it (the standard decoder reads none);
    // the previous flags, time and pressure texts stay until a group replaces them.
    const Case cases[] = {
        {DecodeMetar, "EDDF@119 COR time=041200Z qnh=1013 alt=29.92"},
        {DecodeSimMetar, "EDDF@119 AUTO COR time=041200Z qnh=1013 alt=29.92"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shown);
        WeatherState state = Prepared();
        DecodeSimMetar(state, kFullSim);
        t_weather &w = state.CurrentWeather;
        w.corrected = true;
        w.source = "SIM";
        w.metar = "raw";
        c.decode(state, "EDDF");
        EXPECT_EQ(Shown(state), QString::fromUtf8(c.shown));
        EXPECT_EQ(w.source + w.metar, "SIMraw");
    }
}

TEST(Metar, PlainTextOfASimulatorReport)
{
    struct Case {
        QString metar;
        const char *plain, *pressureAndUnit;
    };
    const Case cases[] = {
        {kFullSim,
         "LFPG METAR AUTO 041200Z 27015KT 200V280 27020KT 250V290 CAVOK 9999 R27/2000FT R09/1500FT +SHRA BKN030 "
         "8ST030 15/10 05/M02 A2992",
         "||KT"},
        {" EDDF 061220Z 09005MPS&D300LN Q1009 @ rest", "EDDF 061220Z 09005MPS Q1009", "1009|29.80|MPS"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.plain);
        WeatherState state;
        EXPECT_EQ(NormalizeSimMetar(state, c.metar), c.plain);
        EXPECT_EQ(state.qnhText + "|" + state.altimeterText + "|" + state.windUnit, c.pressureAndUnit);
    }
}

TEST(Metar, TableLookupMatchesWholeCodesInAnyCase)
{
    const WeatherDictionary turbulence = Prepared().dictionaries[std::size_t(WeatherTable::Turbulence)];
    const char *cases[][2] = {{"N", "nulle"}, {"l", "légère"}, {"X", "X"}, {"NN", "NN"}, {"", ""}};
    for (const auto &[code, text] : cases)
        EXPECT_EQ(LookupWeatherCode(turbulence, code), QString::fromUtf8(text)) << code;
}

} // namespace zaz::test
