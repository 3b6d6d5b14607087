#pragma once
// Real texts in several languages and scripts, short and long, as people
// hide them: letters, notes, lists, addresses, code. Every one must read as
// text; the plausibility rule is measured on them.
#include <array>
#include <string_view>

namespace hushlake::clitest {

inline constexpr std::array<std::string_view, 40> SampleTexts = {
    // English
    "Meet me at the old bridge on Friday at nine. Bring the map and the spare key;\n"
    "the others will wait by the boats until we signal.",
    "Shopping list:\n- milk (2 l)\n- eggs x 12\n- coffee, dark roast\n- 3 lemons @ $0.40\n",
    "Dear Anna,\r\nThank you for the lovely weekend. The garden looked wonderful, and the "
    "children still talk about the treehouse.\r\nLove, Tom",
    // German
    "Sehr geehrte Damen und Herren,\nich möchte meine Bestellung vom 3. März ändern: bitte "
    "liefern Sie die Größe XL statt L. Für Rückfragen stehe ich gern zur Verfügung.\n"
    "Mit freundlichen Grüßen\nJürgen Weiß",
    "Grüße",
    "Übermorgen früh: Bäckerei, Straße 5",
    // French
    "Chère Élise, je t'écris depuis Genève où il fait déjà très froid. Les élèves ont préparé "
    "une fête pour Noël ; ça promet d'être très réussi !",
    "Ça va ?",
    "Où est la clé ? À côté du piano, près de la fenêtre.",
    // Spanish, Portuguese, Italian
    "¿Dónde está la estación? Necesito llegar a Córdoba mañana por la mañana. ¡Gracias!",
    "A reunião foi adiada para terça-feira. Não se esqueça de trazer as informações sobre a "
    "situação financeira e os relatórios de produção.",
    "Perché non vieni più spesso? La città è bellissima in primavera e il caffè è ottimo.",
    // Dutch, Swedish, Icelandic, Danish
    "De vergadering begint om half tien. Vergeet niet de notulen van vorige week mee te nemen.",
    "Vi ses på lördag vid sjön. Glöm inte att ta med fiskespöet och några smörgåsar.",
    "Ég hef búið á Íslandi í þrjú ár og mér þykir vænt um fólkið og náttúruna.",
    "Æbler og pærer koster 12 kr. pr. kilo på torvet i Århus.",
    // Polish, Czech, Turkish, Hungarian, Romanian (outside Windows-1252)
    "Zażółć gęślą jaźń. Spotkajmy się w środę o siódmej przy dworcu w Łodzi.",
    "Příliš žluťoučký kůň úpěl ďábelské ódy. Schůzka bude ve čtvrtek.",
    "Yarın sabah İstanbul'a gidiyorum; dönüşte çarşıdan şeker alırım.",
    "Az árvíztűrő tükörfúrógép működik, köszönöm a segítséget.",
    "Mâine plecăm la munte, în Brașov, și ne întoarcem duminică.",
    // Greek, Russian, Ukrainian
    "Καλημέρα! Θα συναντηθούμε στην πλατεία στις έξι το απόγευμα.",
    "Встретимся завтра у памятника в семь вечера. Не забудь взять документы и ключи.",
    "Привіт! Як справи? Я приїду до Києва в понеділок.",
    // Hebrew, Arabic, Persian, Hindi
    "שלום, נפגש מחר בשעה שמונה ליד התחנה המרכזית.",
    "مرحبا، سنلتقي غدا في المقهى القريب من الجامعة في الساعة الخامسة.",
    "فردا صبح به بازار می‌رویم و بعد از ظهر برمی‌گردیم.",
    "नमस्ते, कल सुबह दस बजे स्टेशन पर मिलते हैं।",
    // Chinese, Japanese, Korean, Thai, Vietnamese
    "明天早上九点在火车站见面，别忘了带护照和车票。",
    "明日の会議は午後三時からです。資料を忘れずに持ってきてください。",
    "내일 아침 아홉 시에 역 앞에서 만나요. 여권을 꼭 가져오세요.",
    "พรุ่งนี้เราจะพบกันที่สถานีรถไฟตอนเก้าโมงเช้า",
    "Ngày mai chúng ta gặp nhau ở nhà ga lúc chín giờ sáng nhé.",
    // Notes, numbers, code, keys
    "PIN 4711, locker 23, code word: heron",
    "https://example.org/reports/2026/q3?id=8842&view=full",
    "{\"user\": \"mara\", \"token\": \"8f3a9c0e71d24b55\", \"expires\": 1767225600}",
    "for (int i = 0; i < n; ++i) {\n\tsum += values[i];\n}\n",
    "ssh-ed25519 AAAAC3NzaC1lZDI1NTE5AAAAIO4m1c2v7Wq9T0xq3Zk6yQ5d8s2b1aF0p9rH7jLkM3nB mara@host",
    "Temperature: 21.5 °C, humidity 40 %, wind 12 km/h — “fine”, said the forecast… €3",
    "x",
};

}  // namespace hushlake::clitest
