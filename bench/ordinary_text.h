#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/cp1252.h"

namespace tevanor::bench {

// Ordinary Spanish and English prose in Windows-1252: news, school, cooking, sport and health
// sentences drawn in a fixed pseudo-random order, with paragraph breaks, up to `size` bytes.
inline std::string OrdinaryText(std::size_t size) {
  static constexpr std::string_view kSentences[] = {
      "El ayuntamiento anunció ayer que las obras de la plaza mayor terminarán antes del verano."_ansi,
      "Los alumnos de tercer curso visitaron el museo de ciencias y prepararon un informe."_ansi,
      "Para la receta necesitas dos cebollas, tres tomates maduros y un poco de aceite de oliva."_ansi,
      "El equipo local ganó el partido del domingo con un gol en el último minuto."_ansi,
      "La biblioteca municipal amplía su horario durante la época de exámenes."_ansi,
      "Según el informe del tiempo, mañana habrá lluvias débiles en el norte del país."_ansi,
      "El médico recomienda caminar media hora al día y beber agua con frecuencia."_ansi,
      "La empresa presentó sus resultados anuales y anunció nuevas inversiones en la región."_ansi,
      "Los vecinos organizaron una fiesta en el parque para celebrar el fin de curso."_ansi,
      "El tren de alta velocidad une las dos ciudades en poco más de dos horas y media."_ansi,
      "La profesora explicó la fotosíntesis con un experimento sencillo en el laboratorio."_ansi,
      "Las entradas para el concierto de la orquesta se pueden comprar en la taquilla."_ansi,
      "El gobierno aprobó un plan para mejorar el transporte público en las zonas rurales."_ansi,
      "Mi abuela prepara el mejor arroz con leche del barrio, con canela y limón."_ansi,
      "El festival de cine infantil proyectará películas de animación durante toda la semana."_ansi,
      "Los bomberos rescataron a un gato que se había quedado atrapado en un árbol."_ansi,
      "La exposición de pintura del siglo diecinueve abre sus puertas el próximo lunes."_ansi,
      "El mercado de abastos ofrece fruta de temporada a buen precio cada mañana."_ansi,
      "La computadora del aula de informática necesita una actualización del sistema."_ansi,
      "El canal de noticias emitió un análisis detallado de la situación económica."_ansi,
      "The city council announced on Tuesday that the new library will open in the spring."_ansi,
      "Students in the third grade built a small weather station on the school roof."_ansi,
      "Preheat the oven, whisk the eggs with sugar and fold in the flour gently."_ansi,
      "The home team won the match after a dramatic penalty in the final minute."_ansi,
      "Doctors recommend at least thirty minutes of walking and plenty of water every day."_ansi,
      "The museum's new exhibition explores the history of flight from balloons to rockets."_ansi,
      "Heavy rain is expected across the northern counties later this week, forecasters said."_ansi,
      "The company reported higher profits and plans to hire more engineers next year."_ansi,
      "Volunteers planted two hundred trees along the river to protect the banks from floods."_ansi,
      "The orchestra will perform a programme of classical favourites at the town hall."_ansi,
      "Our teacher explained how volcanoes form, using a model made of clay and paper."_ansi,
      "The train to the coast leaves every hour from platform four, except on holidays."_ansi,
      "A new study suggests that reading aloud to children improves their vocabulary."_ansi,
      "The bakery on the corner sells fresh bread, croissants and cinnamon rolls."_ansi,
      "Firefighters rescued a kitten that had climbed to the top of a tall oak tree."_ansi,
      "The football club opened a summer camp for young players of every level."_ansi,
      "Engineers tested the bridge with heavy trucks before it was opened to traffic."_ansi,
      "The gardening club meets on Saturday mornings to swap seeds and advice."_ansi,
      "What happened at the meeting was summarised in a short report for the parents."_ansi,
      "The analysis of the survey results will be published on the school website."_ansi,
  };
  constexpr std::size_t kCount = sizeof kSentences / sizeof kSentences[0];
  std::string text;
  text.reserve(size + 128);
  std::uint32_t state = 20240611;
  int inParagraph = 0;
  while (text.size() < size) {
    state = state * 1664525u + 1013904223u;
    text += kSentences[(state >> 8) % kCount];
    text += ++inParagraph % 6 == 0 ? "\r\n\r\n" : " ";
  }
  text.resize(size);
  return text;
}

}  // namespace tevanor::bench
